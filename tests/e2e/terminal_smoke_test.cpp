// Zelt GUI in the terminal, under tmux, against zelt-sim: Open Port, Read Binary and Read ASCII
// by keys, read back from the screen.
#include "ports_folder.h"
#include "sim_process.h"
#include "wait_for.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <unistd.h>

namespace e2e {
namespace {

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

std::string output_of(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 512> buffer;
        while (std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
            output.append(buffer.data(), n);
        pclose(pipe);
    }
    return output;
}

bool have_tmux() {
    return std::system("command -v tmux >/dev/null 2>&1") == 0;
}

// One private tmux server, gone with the test.
class TmuxScreen {
public:
    TmuxScreen() : m_socket("zelt-smoke-" + std::to_string(getpid())) {}
    ~TmuxScreen() { tmux("kill-server >/dev/null 2>&1"); }

    bool start(const std::string& command) {
        return tmux("new-session -d -x 100 -y 30 " + quoted(command)) == 0;
    }
    void keys(const std::string& keys) { tmux("send-keys " + keys); }
    std::string screen() { return output_of(prefix() + "capture-pane -p 2>/dev/null"); }
    bool shows(const std::string& text) {
        return wait_for([&] { return screen().find(text) != std::string::npos; });
    }
    bool running() { return tmux("has-session >/dev/null 2>&1") == 0; }

private:
    std::string prefix() const { return "tmux -L " + m_socket + " "; }
    int tmux(const std::string& arguments) { return std::system((prefix() + arguments).c_str()); }

    std::string m_socket;
};

TEST(TerminalSmoke, OpenPortAndBothReadingsByKeys) {
    if (!have_tmux())
        GTEST_SKIP() << "tmux is not installed";
    if (!ZELT_TERMINAL_FRONT_END)
        GTEST_SKIP() << "the terminal front end is not built";

    test_support::PortsFolder folder;
    SimProcess sim(folder.path(), 5, {"--temp", "25", "--ascii", "+25.0C"});
    ASSERT_TRUE(sim.wait_ready());

    TmuxScreen tmux;
    ASSERT_TRUE(tmux.start("env COMLINK_PORTS=" + quoted(folder.path()) + " COMLINK_UI=terminal " +
                           quoted(ZELT_GUI_PROGRAM)));
    ASSERT_TRUE(tmux.shows("Enter a port number")) << tmux.screen();

    // Focus starts on OK; the tab order runs Open Port, the port field, the status field,
    // Read Binary, its field, Read ASCII.
    tmux.keys("Tab Space");
    EXPECT_TRUE(tmux.shows("Korvex-Zelt Ready")) << tmux.screen();
    tmux.keys("Tab Tab Tab Space");
    EXPECT_TRUE(tmux.shows("77.0")) << tmux.screen();
    tmux.keys("Tab Tab Space");
    EXPECT_TRUE(tmux.shows("+25.0C")) << tmux.screen();

    tmux.keys("Escape");
    EXPECT_TRUE(wait_for([&] { return !tmux.running(); })) << tmux.screen();
}

} // namespace
} // namespace e2e
