// Front-end choice from the environment.
#include "ui/front_end_choice.h"
#include "ui/headless/headless_front_end.h"

#include <cstdlib>

namespace ui {

namespace {

std::optional<std::string> env(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr)
        return std::nullopt;
    return std::string(value);
}

bool set_and_not_empty(const std::optional<std::string>& value) {
    return value.has_value() && !value->empty();
}

} // namespace

const char* front_end_name(FrontEndKind kind) {
    switch (kind) {
    case FrontEndKind::desktop:
        return "desktop";
    case FrontEndKind::terminal:
        return "terminal";
    case FrontEndKind::headless:
        return "headless";
    }
    return "?";
}

StartEnvironment read_start_environment() {
    return {env("COMLINK_UI"), env("DISPLAY"), env("WAYLAND_DISPLAY"), desktop_front_end_built()};
}

FrontEndChoice choose_front_end(const StartEnvironment& e) {
    FrontEndChoice choice;
    if (set_and_not_empty(e.comlink_ui)) {
        for (FrontEndKind kind :
             {FrontEndKind::desktop, FrontEndKind::terminal, FrontEndKind::headless}) {
            if (*e.comlink_ui == front_end_name(kind)) {
                choice.kind = kind;
                choice.forced = true;
                return choice;
            }
        }
        choice.error = "COMLINK_UI=" + *e.comlink_ui +
                       " names no front end (use desktop, terminal or headless)";
        return choice;
    }
    const bool display = set_and_not_empty(e.display) || set_and_not_empty(e.wayland_display);
    choice.kind = display && e.desktop_built ? FrontEndKind::desktop : FrontEndKind::terminal;
    return choice;
}

std::unique_ptr<FrontEnd> make_front_end(const FrontEndChoice& choice, std::string& why_not) {
    if (!choice.kind) {
        why_not = choice.error;
        return nullptr;
    }
    std::unique_ptr<FrontEnd> front_end;
    switch (*choice.kind) {
    case FrontEndKind::headless:
        return headless::make_headless_front_end();
    case FrontEndKind::desktop:
        front_end = make_desktop_front_end();
        if (front_end || choice.forced) {
            if (!front_end)
                why_not = desktop_front_end_built()
                              ? "cannot open the desktop: no display can be reached"
                              : "the desktop front end is not part of this build";
            return front_end;
        }
        [[fallthrough]];
    case FrontEndKind::terminal:
        front_end = make_terminal_front_end();
        if (!front_end)
            why_not = terminal_front_end_built()
                          ? "needs a terminal (or a display for the desktop front end)"
                          : "the terminal front end is not part of this build";
        return front_end;
    }
    return nullptr;
}

} // namespace ui
