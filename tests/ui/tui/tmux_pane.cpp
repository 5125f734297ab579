// A tmux pane driven through the tmux command line.
#include "tmux_pane.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace ui::tui::test {

namespace {

constexpr auto poll_interval = std::chrono::milliseconds(50);

std::string run_command(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return output;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, got);
    pclose(pipe);
    return output;
}

// One byte a column: each UTF-8 sequence becomes '#'.
std::string one_byte_a_column(const std::string& text) {
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            out += c;
        else if (byte >= 0xC0)
            out += '#';
    }
    return out;
}

} // namespace

bool eventually(const std::function<bool()>& done, std::chrono::milliseconds deadline) {
    const auto until = std::chrono::steady_clock::now() + deadline;
    for (;;) {
        if (done())
            return true;
        if (std::chrono::steady_clock::now() >= until)
            return false;
        std::this_thread::sleep_for(poll_interval);
    }
}

bool tmux_available() {
    return std::system("command -v tmux >/dev/null 2>&1") == 0;
}

std::string shell_quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

TmuxPane::TmuxPane(int width, int height) {
    static std::atomic<int> counter{0};
    m_socket = "zelt-tui-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    // A server started from inside another tmux must not think it is nested.
    unsetenv("TMUX");
    tmux("new-session -d -x " + std::to_string(width) + " -y " + std::to_string(height) + " " +
         shell_quoted("PS1='pane$ ' exec /bin/sh"));
    m_started = wait_for_text("pane$", std::chrono::seconds(20));
    m_socket_path = pane_format("#{socket_path}");
}

TmuxPane::~TmuxPane() {
    tmux("kill-server");
    // The server leaves its socket file behind.
    if (!m_socket_path.empty())
        unlink(m_socket_path.c_str());
}

std::string TmuxPane::tmux(const std::string& arguments) {
    return run_command("tmux -L " + m_socket + " -f /dev/null " + arguments + " 2>&1");
}

void TmuxPane::send_keys(const std::vector<std::string>& keys) {
    std::string arguments = "send-keys -t 0";
    for (const auto& key : keys)
        arguments += " " + shell_quoted(key);
    tmux(arguments);
}

void TmuxPane::click(int x, int y) {
    // ESC [ M, then button, column and row, each offset by 32 (and positions from 1).
    constexpr int press = 0;
    constexpr int release = 3;
    std::string arguments = "send-keys -t 0 -H";
    char hex[8];
    for (int button : {press, release}) {
        for (int byte : {0x1B, int{'['}, int{'M'}, 32 + button, 33 + x, 33 + y}) {
            std::snprintf(hex, sizeof hex, " %02x", byte);
            arguments += hex;
        }
    }
    tmux(arguments);
}

void TmuxPane::resize(int width, int height) {
    tmux("resize-window -t 0 -x " + std::to_string(width) + " -y " + std::to_string(height));
}

void TmuxPane::type(const std::string& text) {
    tmux("send-keys -t 0 -l " + shell_quoted(text));
}

std::vector<std::string> TmuxPane::screen() {
    std::vector<std::string> rows;
    std::istringstream in(screen_text());
    for (std::string row; std::getline(in, row);)
        rows.push_back(row);
    return rows;
}

std::string TmuxPane::screen_text() {
    return one_byte_a_column(tmux("capture-pane -p -t 0"));
}

std::pair<int, int> TmuxPane::cursor() {
    std::istringstream in(pane_format("#{cursor_x} #{cursor_y}"));
    std::pair<int, int> at{-1, -1};
    in >> at.first >> at.second;
    return at;
}

std::string TmuxPane::pane_format(const std::string& format) {
    std::string value = tmux("display-message -p -t 0 " + shell_quoted(format));
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r'))
        value.pop_back();
    return value;
}

bool TmuxPane::wait_for(const std::function<bool(const std::string&)>& found,
                        std::chrono::milliseconds deadline) {
    return eventually([&] { return found(screen_text()); }, deadline);
}

bool TmuxPane::wait_for_text(const std::string& text, std::chrono::milliseconds deadline) {
    return wait_for([&text](const std::string& s) { return s.find(text) != std::string::npos; },
                    deadline);
}

bool TmuxPane::wait_for_no_text(const std::string& text, std::chrono::milliseconds deadline) {
    return wait_for([&text](const std::string& s) { return s.find(text) == std::string::npos; },
                    deadline);
}

} // namespace ui::tui::test
