// A shell in a detached tmux pane on a private server: type into it, read its screen and cursor,
// wait for what it shows. The server is killed when the pane object goes.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace ui::tui::test {

// Whether a tmux program can be run here.
bool tmux_available();

// Polls until done returns true or the deadline passes; false on time-out.
bool eventually(const std::function<bool()>& done,
                std::chrono::milliseconds deadline = std::chrono::seconds(20));

// Quotes text for the shell, in single quotes.
std::string shell_quoted(const std::string& text);

class TmuxPane {
public:
    // Starts a server named after this process and a counter, with one width x height pane
    // running a plain shell with a short prompt.
    TmuxPane(int width, int height);
    ~TmuxPane();
    TmuxPane(const TmuxPane&) = delete;
    TmuxPane& operator=(const TmuxPane&) = delete;

    bool started() const { return m_started; }

    // Key names as tmux knows them ("Tab", "BTab", "Enter", "Escape", "F10", "M-Space").
    void send_keys(const std::vector<std::string>& keys);
    // A left click at column x, row y, as a terminal in normal mouse-tracking mode reports it.
    void click(int x, int y);
    // Changes the window (and so the pane) size.
    void resize(int width, int height);
    // Text typed literally.
    void type(const std::string& text);

    // The visible screen, one string per row; each non-ASCII character (a line-drawing glyph in
    // a UTF-8 locale) becomes one '#', so that byte offsets are columns.
    std::vector<std::string> screen();
    std::string screen_text();
    // Column and row of the cursor.
    std::pair<int, int> cursor();
    // A tmux format for the pane, such as "#{alternate_on}".
    std::string pane_format(const std::string& format);

    // Polls the screen until found returns true or the deadline passes; false on time-out.
    bool wait_for(const std::function<bool(const std::string& screen)>& found,
                  std::chrono::milliseconds deadline = std::chrono::seconds(20));
    bool wait_for_text(const std::string& text,
                       std::chrono::milliseconds deadline = std::chrono::seconds(20));
    bool wait_for_no_text(const std::string& text,
                          std::chrono::milliseconds deadline = std::chrono::seconds(20));

private:
    std::string tmux(const std::string& arguments);

    std::string m_socket;
    std::string m_socket_path;
    bool m_started = false;
};

} // namespace ui::tui::test
