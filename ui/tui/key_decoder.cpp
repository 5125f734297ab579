// Key codes to dialog input: one table for the plain keys, a little look-ahead after ESC.
#include "ui/tui/key_decoder.h"
#include "ui/tui/curses_api.h"

#include <array>

namespace ui::tui {

namespace {

using model::InputEvent;
using model::Key;
namespace modifier = model::modifier;

struct KeyRow {
    int code;
    Key key;
    unsigned modifiers;
};

constexpr int escape_code = 27;
constexpr int delete_code = 127;

const std::array<KeyRow, 19> key_table{{
    {'\t', Key::tab, modifier::none},
    {KEY_BTAB, Key::tab, modifier::shift},
    {'\n', Key::enter, modifier::none},
    {'\r', Key::enter, modifier::none},
    {KEY_ENTER, Key::enter, modifier::none},
    {' ', Key::space, modifier::none},
    {KEY_BACKSPACE, Key::backspace, modifier::none},
    {delete_code, Key::backspace, modifier::none},
    {'\b', Key::backspace, modifier::none},
    {KEY_DC, Key::delete_forward, modifier::none},
    {KEY_LEFT, Key::left, modifier::none},
    {KEY_RIGHT, Key::right, modifier::none},
    {KEY_HOME, Key::home, modifier::none},
    {KEY_END, Key::end, modifier::none},
    {KEY_UP, Key::up, modifier::none},
    {KEY_DOWN, Key::down, modifier::none},
    {KEY_F(10), Key::f10, modifier::none},
    {KEY_A1, Key::home, modifier::none},
    {KEY_C1, Key::end, modifier::none},
}};

DecodedKey decoded(InputEvent event) {
    return {DecodedKey::Kind::event, std::move(event)};
}

DecodedKey ignored() {
    return {DecodedKey::Kind::ignored, {}};
}

// ESC has been read: Alt+Space, Shift+Tab sent as CSI Z, another sequence (dropped), or Escape.
DecodedKey after_escape(const KeyReader& read) {
    const int next = read(escape_follow_ms);
    if (next == ERR)
        return decoded(InputEvent::key_press(Key::escape));
    if (next == ' ')
        return decoded(InputEvent::key_press(Key::space, modifier::alt));
    if (next == escape_code)
        return decoded(InputEvent::key_press(Key::escape));
    if (next != '[' && next != 'O')
        return ignored(); // Alt with another key: nothing here uses it
    // A sequence curses did not know: parameters up to a final byte.
    for (int guard = 0; guard < 16; ++guard) {
        const int c = read(escape_follow_ms);
        if (c == ERR)
            return ignored();
        if (c >= 0x40 && c <= 0x7E)
            return c == 'Z' && next == '['
                       ? decoded(InputEvent::key_press(Key::tab, modifier::shift))
                       : ignored();
    }
    return ignored();
}

} // namespace

DecodedKey read_key(const KeyReader& read, int timeout_ms) {
    const int code = read(timeout_ms);
    if (code == ERR)
        return {DecodedKey::Kind::none, {}};
    if (code == KEY_RESIZE)
        return {DecodedKey::Kind::resize, {}};
    if (code == KEY_MOUSE)
        return {DecodedKey::Kind::mouse, {}};
    if (code == escape_code)
        return after_escape(read);
    for (const KeyRow& row : key_table)
        if (row.code == code)
            return decoded(InputEvent::key_press(row.key, row.modifiers));
    if (code > ' ' && code < delete_code)
        return decoded(InputEvent::typed(static_cast<char>(code)));
    return ignored();
}

} // namespace ui::tui
