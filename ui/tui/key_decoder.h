// Terminal key codes (as curses reports them) to dialog input. Escape is also the Alt prefix:
// ESC then Space is Alt+Space, ESC alone (nothing within the escape delay) is Escape.
#pragma once

#include "ui/model/input.h"

#include <functional>

namespace ui::tui {

// Reads the next key code, waiting at most timeout_ms (negative: no limit); -1 when none came.
using KeyReader = std::function<int(int timeout_ms)>;

struct DecodedKey {
    enum class Kind {
        event,   // event holds the input
        resize,  // the terminal changed size
        mouse,   // a mouse report is waiting to be fetched
        ignored, // nothing the dialog understands
        none,    // the reader gave nothing
    };
    Kind kind = Kind::none;
    model::InputEvent event;
};

// Time to wait for the key after ESC, in milliseconds.
inline constexpr int escape_follow_ms = 25;

// Reads one key with read (blocking as timeout_ms says) and decodes it, reading the keys of an
// Alt or escape sequence that follow without waiting beyond escape_follow_ms.
DecodedKey read_key(const KeyReader& read, int timeout_ms);

} // namespace ui::tui
