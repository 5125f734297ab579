// Which front end the program starts with.
#pragma once

#include "ui/frontend.h"

#include <memory>
#include <optional>
#include <string>

namespace ui {

enum class FrontEndKind { desktop, terminal, headless };

struct StartEnvironment {
    std::optional<std::string> comlink_ui;      // $COMLINK_UI
    std::optional<std::string> display;         // $DISPLAY
    std::optional<std::string> wayland_display; // $WAYLAND_DISPLAY
    bool desktop_built = false;
};

StartEnvironment read_start_environment();

struct FrontEndChoice {
    std::optional<FrontEndKind> kind; // empty when COMLINK_UI names no front end
    bool forced = false;              // chosen by COMLINK_UI: no fallback
    std::string error;
};

// COMLINK_UI=desktop|terminal|headless decides; else the desktop when a display is reachable
// and the desktop front end is built; else the terminal.
FrontEndChoice choose_front_end(const StartEnvironment& environment);

// Makes the chosen front end; when it cannot run and the choice was not forced, falls back from
// the desktop to the terminal. Null with a one-line reason in why_not when nothing can run.
std::unique_ptr<FrontEnd> make_front_end(const FrontEndChoice& choice, std::string& why_not);

const char* front_end_name(FrontEndKind kind);

} // namespace ui
