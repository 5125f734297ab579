// The real program with the terminal front end, run from a shell in a tmux pane: the start
// screen, tab order, the integer prompt, the system menu and About box, minimising, a terminal
// that shrinks and grows, and the terminal given back in its normal state at the end.
#include "tmux_pane.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <cstdlib>
#include <unistd.h>

namespace ui::tui::test {
namespace {

constexpr int pane_width = 100;
constexpr int pane_height = 30;

bool has_token(const std::string& text, const std::string& token) {
    std::istringstream in(text);
    for (std::string word; in >> word;) {
        while (!word.empty() && word.back() == ';')
            word.pop_back();
        if (word == token)
            return true;
    }
    return false;
}

std::string trimmed_right(std::string text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

class ProgramInPane : public ::testing::Test {
protected:
    void SetUp() override {
        if (!tmux_available())
            GTEST_SKIP() << "tmux is not installed";
        const char* base = std::getenv("TMPDIR");
        std::string pattern =
            std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/zelt-tui-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_ports = pattern;
        // COM5 names a device that is not there, so the program never reaches a real port.
        std::filesystem::create_symlink(m_ports / "absent-device", m_ports / "com5");
    }

    void TearDown() override {
        m_pane.reset();
        if (!m_ports.empty())
            std::filesystem::remove_all(m_ports);
    }

    // Runs program from the pane's shell, which then prints "<exit_tag>:<status>".
    void launch(const std::string& program, const std::string& term, const std::string& exit_tag) {
        m_pane = std::make_unique<TmuxPane>(pane_width, pane_height);
        ASSERT_TRUE(m_pane->started()) << m_pane->screen_text();
        const std::string ports = shell_quoted(m_ports.string());
        m_pane->type("COMLINK_UI=terminal COMLINK_PORTS=" + ports + " HOME=" + ports +
                     " TERM=" + term + " " + shell_quoted(program) + "; echo " + exit_tag + ":$?");
        m_pane->send_keys({"Enter"});
    }

    void start(const std::string& term = "screen") {
        launch(ZELT_GUI_PROGRAM, term, "zelt-exit");
        // The last row with text: the whole dialog is drawn once it shows.
        ASSERT_TRUE(m_pane->wait_for_text("[ Read ASCII ]")) << m_pane->screen_text();
        ASSERT_TRUE(m_pane->wait_for_text("Enter a port number")) << m_pane->screen_text();
    }

    // The text left and right of the cursor on its row.
    std::pair<std::string, std::string> around_cursor() {
        const auto [x, y] = m_pane->cursor();
        const auto rows = m_pane->screen();
        if (y < 0 || y >= static_cast<int>(rows.size()))
            return {};
        std::string row = rows[static_cast<std::size_t>(y)];
        row.resize(std::max(row.size(), static_cast<std::size_t>(x)), ' ');
        return {row.substr(0, static_cast<std::size_t>(x)),
                row.substr(static_cast<std::size_t>(x))};
    }

    // The shell is back with the terminal out of the alternate screen and in its normal modes.
    void expect_terminal_restored() {
        EXPECT_EQ(m_pane->pane_format("#{alternate_on}"), "0");
        m_pane->type("stty -a; echo stty-done");
        m_pane->send_keys({"Enter"});
        ASSERT_TRUE(m_pane->wait_for([](const std::string& s) {
            return s.find("\nstty-done") != std::string::npos;
        })) << m_pane->screen_text();
        const std::string modes = m_pane->screen_text();
        for (const char* mode : {"icanon", "echo", "isig", "icrnl"})
            EXPECT_TRUE(has_token(modes, mode)) << mode << " is off:\n" << modes;
    }

    void end_with_escape_and_check_terminal() {
        m_pane->send_keys({"Escape"});
        ASSERT_TRUE(m_pane->wait_for_text("zelt-exit:0")) << m_pane->screen_text();
        expect_terminal_restored();
    }

    // The program the pane's shell is running.
    pid_t program_pid() {
        const std::string shell = m_pane->pane_format("#{pane_pid}");
        std::ifstream children("/proc/" + shell + "/task/" + shell + "/children");
        pid_t pid = 0;
        children >> pid;
        return pid;
    }

    std::filesystem::path m_ports;
    std::unique_ptr<TmuxPane> m_pane;
};

TEST_F(ProgramInPane, StartScreenUnderSeveralTerminalTypes) {
    // With colours, with 256 colours, tmux's own type, and one without colours or alternate screen.
    for (const char* term : {"screen", "xterm-256color", "tmux-256color", "vt100"}) {
        SCOPED_TRACE(term);
        start(term);
        const std::string s = m_pane->screen_text();
        EXPECT_NE(s.find(" Zelt GUI "), std::string::npos) << s;
        EXPECT_NE(s.find("Status:  Enter a port number  < OK >"), std::string::npos) << s;
        EXPECT_NE(s.find("Port #"), std::string::npos) << s;
        EXPECT_NE(s.find("5     [ Open Port ] Select and Open Port"), std::string::npos) << s;
        EXPECT_NE(s.find("[ Read Binary ]"), std::string::npos) << s;
        EXPECT_NE(s.find("[ Read ASCII ]"), std::string::npos) << s;
        EXPECT_NE(s.find("[x]"), std::string::npos) << s;
        // The focus starts on OK, the first tab stop.
        EXPECT_EQ(around_cursor().second.substr(0, 3), "OK ");
        end_with_escape_and_check_terminal();
        m_pane.reset();
    }
}

TEST_F(ProgramInPane, StartScreenMatchesGolden) {
    start();
    // The inside of the frame, between '|' marks; edit fields are underlined, so blank here.
    const std::string golden = R"(
|                                           |
|  Status:  Enter a port number  < OK >     |
|                                           |
|  Port #                                   |
|                                           |
|  5     [ Open Port ] Select and Open Port |
|                                           |
|                                           |
|  [ Read Binary ]                          |
|                                           |
|                                           |
|  [ Read ASCII ]                           |
|                                           |
)";
    std::vector<std::string> inside;
    bool in_dialog = false;
    for (const std::string& row : m_pane->screen()) {
        if (row.find(" Zelt GUI ") != std::string::npos) {
            in_dialog = true;
            continue;
        }
        const auto left = row.find_first_not_of(' ');
        if (!in_dialog || left == std::string::npos)
            continue;
        const std::string framed = trimmed_right(row).substr(left);
        if (framed.size() < 2 || (framed.front() != 'x' && framed.front() != '#'))
            break; // the bottom edge
        inside.push_back("|" + framed.substr(1, framed.size() - 2) + "|");
    }
    std::string shown = "\n";
    for (const auto& row : inside)
        shown += row + "\n";
    EXPECT_EQ(shown, golden);
}

TEST_F(ProgramInPane, TabAndShiftTabFollowTheTemplateOrder) {
    start();
    auto at_button = [this](const std::string& label) {
        return [this, label] { return around_cursor().second.rfind(label + " ", 0) == 0; };
    };
    auto at_field_after = [this](const std::string& before) {
        return [this, before] { return trimmed_right(around_cursor().first).ends_with(before); };
    };
    struct Step {
        const char* key;
        const char* name;
        std::function<bool()> focused;
    };
    const Step steps[] = {
        {"Tab", "Open Port", at_button("Open Port")},
        {"Tab", "port field", at_field_after("  5")},
        {"Tab", "status field", at_field_after("Status:  Enter a port number")},
        {"Tab", "Read Binary", at_button("Read Binary")},
        {"Tab", "binary field", at_field_after("[ Read Binary ]")},
        {"Tab", "Read ASCII", at_button("Read ASCII")},
        {"Tab", "ASCII field", at_field_after("[ Read ASCII ]")},
        {"Tab", "OK again", at_button("OK")},
        {"BTab", "back to the ASCII field", at_field_after("[ Read ASCII ]")},
        {"BTab", "back to Read ASCII", at_button("Read ASCII")},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        m_pane->send_keys({step.key});
        EXPECT_TRUE(eventually(step.focused)) << m_pane->screen_text();
    }
    end_with_escape_and_check_terminal();
}

TEST_F(ProgramInPane, LettersInThePortFieldThenOpenPortPromptForAnInteger) {
    start();
    // Tabbing into the field selects its text, so typing replaces the 5.
    m_pane->send_keys({"Tab", "Tab"});
    m_pane->type("abc");
    ASSERT_TRUE(m_pane->wait_for_text("  abc   [ Open Port ]")) << m_pane->screen_text();
    m_pane->send_keys({"BTab", "Enter"});
    ASSERT_TRUE(m_pane->wait_for_text("Please enter an integer.")) << m_pane->screen_text();
    EXPECT_TRUE(m_pane->wait_for_text("< OK >")) << m_pane->screen_text();
    m_pane->send_keys({"Enter"});
    // The handler goes on with port 5; the dialog stays.
    ASSERT_TRUE(m_pane->wait_for_no_text("Please enter an integer.")) << m_pane->screen_text();
    EXPECT_TRUE(m_pane->wait_for_text("[ Read ASCII ]")) << m_pane->screen_text();
    end_with_escape_and_check_terminal();
}

TEST_F(ProgramInPane, SystemMenuOffersAboutWhichOpensTheAboutBox) {
    start();
    m_pane->send_keys({"M-Space"});
    ASSERT_TRUE(m_pane->wait_for_text("Restore")) << m_pane->screen_text();
    m_pane->send_keys({"Escape"});
    ASSERT_TRUE(m_pane->wait_for_no_text("Restore")) << m_pane->screen_text();

    m_pane->send_keys({"F10"});
    ASSERT_TRUE(m_pane->wait_for_text("About Zelt GUI...")) << m_pane->screen_text();
    const std::string menu = m_pane->screen_text();
    for (const char* item : {"Restore", "Move", "Minimize", "Close"})
        EXPECT_NE(menu.find(item), std::string::npos) << item;
    EXPECT_EQ(menu.find('&'), std::string::npos) << menu;

    // The selection starts on Move (Restore is greyed); Up wraps round to the last entry.
    m_pane->send_keys({"Up", "Enter"});
    ASSERT_TRUE(m_pane->wait_for_text("Zelt GUI Version 1.0")) << m_pane->screen_text();
    EXPECT_NE(m_pane->screen_text().find(" About Zelt GUI "), std::string::npos);
    m_pane->send_keys({"Enter"});
    ASSERT_TRUE(m_pane->wait_for_no_text("Zelt GUI Version 1.0")) << m_pane->screen_text();
    EXPECT_TRUE(m_pane->wait_for_text("Enter a port number")) << m_pane->screen_text();
    end_with_escape_and_check_terminal();
}

TEST_F(ProgramInPane, MoveShiftsTheDialogWithTheArrowKeys) {
    start();
    auto caption_column = [this] {
        for (const auto& row : m_pane->screen())
            if (auto x = row.find(" Zelt GUI "); x != std::string::npos)
                return static_cast<int>(x);
        return -1;
    };
    const int before = caption_column();
    m_pane->send_keys({"F10"});
    ASSERT_TRUE(m_pane->wait_for_text("Restore")) << m_pane->screen_text();
    m_pane->send_keys({"m", "Left", "Left", "Left", "Enter"});
    EXPECT_TRUE(eventually([&] { return caption_column() == before - 3; }))
        << m_pane->screen_text();
    // The dialog takes keys again where it now stands.
    m_pane->send_keys({"Tab"});
    EXPECT_TRUE(eventually([this] { return around_cursor().second.rfind("Open Port", 0) == 0; }));
    end_with_escape_and_check_terminal();
}

TEST_F(ProgramInPane, MinimiseShowsAnIconBarUntilRestored) {
    start();
    m_pane->send_keys({"F10"});
    ASSERT_TRUE(m_pane->wait_for_text("Minimize")) << m_pane->screen_text();
    m_pane->send_keys({"n"});
    ASSERT_TRUE(m_pane->wait_for([this](const std::string& s) {
        const auto rows = m_pane->screen();
        return s.find("Enter a port number") == std::string::npos && rows.size() == pane_height &&
               rows.back().rfind(" [*] Zelt GUI", 0) == 0;
    })) << m_pane->screen_text();
    m_pane->send_keys({"F10"});
    ASSERT_TRUE(m_pane->wait_for_text("Restore")) << m_pane->screen_text();
    m_pane->send_keys({"r"});
    ASSERT_TRUE(m_pane->wait_for_text("Enter a port number")) << m_pane->screen_text();
    end_with_escape_and_check_terminal();
}

TEST_F(ProgramInPane, TooSmallTerminalSaysSoAndRedrawsWhenItGrows) {
    start();
    m_pane->resize(40, 10);
    ASSERT_TRUE(m_pane->wait_for_text("Terminal too small")) << m_pane->screen_text();
    EXPECT_TRUE(m_pane->wait_for_no_text("Enter a port number")) << m_pane->screen_text();
    m_pane->resize(pane_width, pane_height);
    ASSERT_TRUE(m_pane->wait_for_text("Enter a port number")) << m_pane->screen_text();
    EXPECT_TRUE(m_pane->wait_for_no_text("Terminal too small")) << m_pane->screen_text();
    end_with_escape_and_check_terminal();
}

TEST_F(ProgramInPane, ClicksFocusAFieldAndTheCloseBoxEndsTheDialog) {
    start();
    auto find = [this](const std::string& text) {
        const auto rows = m_pane->screen();
        for (std::size_t y = 0; y < rows.size(); ++y)
            if (auto x = rows[y].find(text); x != std::string::npos)
                return std::pair<int, int>{static_cast<int>(x), static_cast<int>(y)};
        return std::pair<int, int>{-1, -1};
    };
    const auto port = find("5     [ Open Port ]");
    ASSERT_GE(port.first, 0);
    m_pane->click(port.first + 2, port.second);
    // The click puts the caret after the text instead of selecting it.
    EXPECT_TRUE(eventually([&] {
        return m_pane->cursor() == std::pair{port.first + 1, port.second};
    }));

    const auto close_box = find("[x]");
    ASSERT_GE(close_box.first, 0);
    m_pane->click(close_box.first + 1, close_box.second);
    ASSERT_TRUE(m_pane->wait_for_text("zelt-exit:0")) << m_pane->screen_text();
    expect_terminal_restored();
}

TEST_F(ProgramInPane, InterruptAndTerminateGiveTheTerminalBack) {
    struct Case {
        const char* name;
        std::function<void()> stop;
        const char* follow_up; // typed once the shell is back; empty for none
        const char* shown;
    };
    // The interactive shell drops the rest of a command line on Ctrl+C, so the status is asked.
    const Case cases[] = {
        {"Ctrl+C", [this] { m_pane->send_keys({"C-c"}); }, "echo after-interrupt:$?",
         "after-interrupt:130"},
        {"SIGTERM", [this] { ::kill(program_pid(), SIGTERM); }, "", "zelt-exit:143"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start();
        ASSERT_GT(program_pid(), 0);
        c.stop();
        ASSERT_TRUE(m_pane->wait_for_no_text("Enter a port number")) << m_pane->screen_text();
        if (*c.follow_up != '\0') {
            m_pane->type(c.follow_up);
            m_pane->send_keys({"Enter"});
        }
        ASSERT_TRUE(m_pane->wait_for_text(c.shown)) << m_pane->screen_text();
        expect_terminal_restored();
        m_pane.reset();
    }
}

TEST_F(ProgramInPane, LibraryErrorShowsInTheTerminalThenExitRestoresIt) {
    launch(FATAL_ERROR_PROBE, "screen", "probe-exit");
    ASSERT_TRUE(m_pane->wait_for_text("Library Error")) << m_pane->screen_text();
    ASSERT_TRUE(m_pane->wait_for_text("< OK >")) << m_pane->screen_text();
    const std::string box = m_pane->screen_text();
    EXPECT_NE(box.find("Pure Virtual function called @..\\CPP_ALL\\COMLINK,241"), std::string::npos)
        << box;
    EXPECT_NE(box.find("< OK >"), std::string::npos) << box;
    // Held while the screen was in use, written once it is given back.
    EXPECT_EQ(box.find("diagnostic written"), std::string::npos) << box;
    m_pane->send_keys({"Enter"});
    ASSERT_TRUE(m_pane->wait_for_text("probe-exit:1")) << m_pane->screen_text();
    EXPECT_NE(m_pane->screen_text().find("diagnostic written while the screen is in use"),
              std::string::npos);
    expect_terminal_restored();
}

} // namespace
} // namespace ui::tui::test
