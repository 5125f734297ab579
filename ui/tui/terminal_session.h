// The terminal while the front end runs: curses set up on standard input and output, the
// attributes the painter uses, and the guarantee that the terminal is given back in its normal
// state: on destruction, at exit() (also from a fatal library error) and on SIGINT, SIGTERM,
// SIGHUP and SIGQUIT. Standard error is held back while the screen is in use and written out
// after it is given back, so diagnostics do not scribble over the dialog.
#pragma once

#include "ui/model/geometry.h"
#include "ui/tui/curses_api.h"

#include <memory>

namespace ui::tui {

struct Palette {
    attr_t frame = A_NORMAL;
    attr_t caption = A_BOLD;
    attr_t text = A_NORMAL;
    attr_t field = A_UNDERLINE;
    attr_t field_focused = A_REVERSE;
    attr_t field_selected = A_UNDERLINE | A_BOLD;
    attr_t button = A_NORMAL;
    attr_t button_default = A_BOLD;
    attr_t focused = A_REVERSE;
    attr_t disabled = A_DIM;
    // Without underline the empty cells of a field are drawn as '_'.
    bool underline_shows = true;
};

class TerminalSession {
public:
    // Null when standard input or output is not a terminal or the terminal type is unknown.
    static std::unique_ptr<TerminalSession> open();
    ~TerminalSession();
    TerminalSession(const TerminalSession&) = delete;
    TerminalSession& operator=(const TerminalSession&) = delete;

    model::Size size() const;
    const Palette& palette() const { return m_palette; }

    // One key code, waiting at most timeout_ms (negative: until one comes); ERR when none.
    int read_code(int timeout_ms);

    // Whether standard input has gone for good (hang-up, closed).
    bool input_gone() const;

private:
    TerminalSession() = default;
    void choose_palette();

    Palette m_palette;
};

// Gives the terminal back (endwin) and releases held standard error. Idempotent; safe to call
// from an exit handler or a signal handler.
void restore_terminal();

} // namespace ui::tui
