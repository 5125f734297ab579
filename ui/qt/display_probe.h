// Whether the desktop can be reached before the toolkit is started: the toolkit ends the
// process when it cannot connect, so the choice of front end asks here first.
#pragma once

#include <optional>
#include <string>

namespace ui::qt {

struct DisplayEnvironment {
    std::optional<std::string> platform;        // $QT_QPA_PLATFORM
    std::optional<std::string> display;         // $DISPLAY
    std::optional<std::string> wayland_display; // $WAYLAND_DISPLAY
    std::optional<std::string> runtime_dir;     // $XDG_RUNTIME_DIR
    bool wayland_plugin = false;                // the toolkit can speak Wayland here
};

DisplayEnvironment read_display_environment();

// True when an explicitly chosen platform needs no display server (offscreen, vnc...), when the
// X display accepts a connection, or when the Wayland socket does and the toolkit can use it.
bool display_reachable(const DisplayEnvironment& environment);

// The socket path or host and port of an X display name ("[host]:number[.screen]").
struct XDisplayAddress {
    std::string unix_path; // set for local displays
    std::string host;      // set for remote ones
    int port = 0;
};
std::optional<XDisplayAddress> parse_x_display(const std::string& display);

} // namespace ui::qt
