// A small program for the tmux tests: runs the terminal front end, writes a diagnostic line to
// standard error, then ends through the library's fatal-error path (message box, exit code 1).
#include "COMLINK.h"
#include "ui/frontend.h"
#include "ui/user_hooks.h"

#include <cstdio>

int main() {
    std::unique_ptr<ui::FrontEnd> front_end = ui::make_terminal_front_end();
    if (!front_end) {
        std::fprintf(stderr, "no terminal\n");
        return 2;
    }
    ui::install_front_end(front_end.get());
    ui::install_user_hooks();
    std::fprintf(stderr, "diagnostic written while the screen is in use\n");
    ReportUnimplemented("..\\CPP_ALL\\COMLINK", 241);
}
