// Curses set-up and tear-down, the exit and signal handlers that give the terminal back, and the
// hold on standard error.
#include "ui/tui/terminal_session.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

namespace ui::tui {

namespace {

constexpr std::array<int, 4> restoring_signals{SIGINT, SIGTERM, SIGHUP, SIGQUIT};
constexpr int escape_delay_ms = 25;

SCREEN* s_screen = nullptr;
volatile std::sig_atomic_t s_in_curses = 0;
int s_real_stderr = -1; // the terminal, while standard error is held
int s_held_stderr = -1; // where standard error goes meanwhile
std::array<struct sigaction, restoring_signals.size()> s_previous_actions{};
bool s_exit_handler_registered = false;

void hold_stderr() {
    if (isatty(STDERR_FILENO) == 0)
        return;
    const int held = memfd_create("held-stderr", MFD_CLOEXEC);
    if (held < 0)
        return;
    const int real = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    if (real < 0 || dup2(held, STDERR_FILENO) < 0) {
        if (real >= 0)
            close(real);
        close(held);
        return;
    }
    s_real_stderr = real;
    s_held_stderr = held;
}

// Only async-signal-safe calls: this runs from signal handlers too.
void release_stderr() {
    if (s_held_stderr < 0)
        return;
    dup2(s_real_stderr, STDERR_FILENO);
    lseek(s_held_stderr, 0, SEEK_SET);
    char buffer[512];
    for (;;) {
        const ssize_t got = read(s_held_stderr, buffer, sizeof buffer);
        if (got <= 0)
            break;
        for (ssize_t done = 0; done < got;) {
            const ssize_t wrote =
                write(STDERR_FILENO, buffer + done, static_cast<size_t>(got - done));
            if (wrote <= 0 && errno != EINTR)
                break;
            done += wrote > 0 ? wrote : 0;
        }
    }
    close(s_held_stderr);
    close(s_real_stderr);
    s_held_stderr = s_real_stderr = -1;
}

extern "C" void restore_at_exit() {
    restore_terminal();
}

extern "C" void restore_on_signal(int signal_number) {
    restore_terminal();
    struct sigaction default_action {};
    default_action.sa_handler = SIG_DFL;
    sigemptyset(&default_action.sa_mask);
    sigaction(signal_number, &default_action, nullptr);
    // Delivered with the default action once this handler returns.
    raise(signal_number);
}

void install_signal_handlers() {
    for (std::size_t i = 0; i < restoring_signals.size(); ++i) {
        struct sigaction action {};
        action.sa_handler = restore_on_signal;
        sigemptyset(&action.sa_mask);
        sigaction(restoring_signals[i], &action, &s_previous_actions[i]);
    }
}

void remove_signal_handlers() {
    for (std::size_t i = 0; i < restoring_signals.size(); ++i)
        sigaction(restoring_signals[i], &s_previous_actions[i], nullptr);
}

} // namespace

void restore_terminal() {
    if (s_in_curses == 0)
        return;
    s_in_curses = 0;
    endwin();
    release_stderr();
}

std::unique_ptr<TerminalSession> TerminalSession::open() {
    if (s_screen != nullptr || isatty(STDIN_FILENO) == 0 || isatty(STDOUT_FILENO) == 0)
        return nullptr;
    const char* term = std::getenv("TERM");
    if (term == nullptr || *term == '\0')
        return nullptr;
    set_escdelay(escape_delay_ms);
    SCREEN* screen = newterm(nullptr, stdout, stdin);
    if (screen == nullptr)
        return nullptr;
    s_screen = screen;
    set_term(screen);
    if (!s_exit_handler_registered) {
        std::atexit(restore_at_exit);
        s_exit_handler_registered = true;
    }
    install_signal_handlers();
    s_in_curses = 1;
    hold_stderr();

    // cbreak, not raw: Ctrl+C still raises SIGINT, whose handler gives the terminal back.
    cbreak();
    noecho();
    nonl();
    intrflush(stdscr, FALSE);
    keypad(stdscr, TRUE);
    // Draw everything asked for even when keys are waiting: a handler's text must show.
    typeahead(-1);
    mousemask(BUTTON1_PRESSED | BUTTON1_CLICKED | BUTTON3_PRESSED | BUTTON3_CLICKED, nullptr);
    mouseinterval(0);

    std::unique_ptr<TerminalSession> session(new TerminalSession());
    session->choose_palette();
    return session;
}

TerminalSession::~TerminalSession() {
    restore_terminal();
    remove_signal_handlers();
    if (s_screen != nullptr) {
        delscreen(s_screen);
        s_screen = nullptr;
    }
}

void TerminalSession::choose_palette() {
    m_palette.underline_shows = (termattrs() & A_UNDERLINE) != 0;
    if (!has_colors() || start_color() == ERR)
        return;
    const short background = use_default_colors() == OK ? -1 : COLOR_BLACK;
    constexpr short accent_pair = 1;
    constexpr short focus_pair = 2;
    init_pair(accent_pair, COLOR_CYAN, background);
    init_pair(focus_pair, COLOR_BLACK, COLOR_CYAN);
    m_palette.frame = COLOR_PAIR(accent_pair);
    m_palette.caption = COLOR_PAIR(accent_pair) | A_BOLD;
    m_palette.focused = COLOR_PAIR(focus_pair);
    m_palette.field_focused = COLOR_PAIR(focus_pair);
    m_palette.field_selected = A_REVERSE;
}

model::Size TerminalSession::size() const {
    return {getmaxx(stdscr), getmaxy(stdscr)};
}

int TerminalSession::read_code(int timeout_ms) {
    wtimeout(stdscr, timeout_ms);
    return wgetch(stdscr);
}

bool TerminalSession::input_gone() const {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (poll(&input, 1, 0) < 0)
        return errno != EINTR;
    return (input.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

} // namespace ui::tui
