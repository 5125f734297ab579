// Key codes as curses delivers them, and what the dialog gets for each.
#include "ui/tui/curses_api.h"
#include "ui/tui/key_decoder.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace ui::tui {
namespace {

using model::InputEvent;
using model::Key;
namespace modifier = model::modifier;

// Feeds codes in order, then ERR; records the time-out of each read.
struct ScriptedReader {
    std::deque<int> codes;
    std::vector<int> timeouts;

    int operator()(int timeout_ms) {
        timeouts.push_back(timeout_ms);
        if (codes.empty())
            return ERR;
        const int code = codes.front();
        codes.pop_front();
        return code;
    }
};

struct Case {
    const char* name;
    std::vector<int> codes;
    DecodedKey::Kind kind;
    Key key = Key::character;
    unsigned modifiers = modifier::none;
    char character = 0;
    std::size_t left_over = 0; // codes the decoder must not consume
};

TEST(KeyDecoder, TurnsTerminalCodesIntoDialogInput) {
    using K = DecodedKey::Kind;
    const Case cases[] = {
        {"tab", {'\t'}, K::event, Key::tab},
        {"back tab key", {KEY_BTAB}, K::event, Key::tab, modifier::shift},
        {"back tab as CSI Z", {27, '[', 'Z'}, K::event, Key::tab, modifier::shift},
        {"return without nl translation", {'\r'}, K::event, Key::enter},
        {"line feed", {'\n'}, K::event, Key::enter},
        {"keypad enter", {KEY_ENTER}, K::event, Key::enter},
        {"escape alone", {27}, K::event, Key::escape},
        {"escape twice gives one escape now", {27, 27}, K::event, Key::escape},
        {"alt+space", {27, ' '}, K::event, Key::space, modifier::alt, ' '},
        {"alt+letter is dropped, not escape", {27, 'x'}, K::ignored},
        {"unknown sequence swallowed whole",
         {27, '[', '2', '5', '~', 'a'},
         K::ignored,
         Key::character,
         modifier::none,
         0,
         1},
        {"f10", {KEY_F(10)}, K::event, Key::f10},
        {"space", {' '}, K::event, Key::space, modifier::none, ' '},
        {"letter", {'a'}, K::event, Key::character, modifier::none, 'a'},
        {"digit", {'7'}, K::event, Key::character, modifier::none, '7'},
        {"tilde", {'~'}, K::event, Key::character, modifier::none, '~'},
        {"backspace key", {KEY_BACKSPACE}, K::event, Key::backspace},
        {"DEL byte", {127}, K::event, Key::backspace},
        {"ctrl+h", {8}, K::event, Key::backspace},
        {"delete", {KEY_DC}, K::event, Key::delete_forward},
        {"left", {KEY_LEFT}, K::event, Key::left},
        {"right", {KEY_RIGHT}, K::event, Key::right},
        {"home", {KEY_HOME}, K::event, Key::home},
        {"end", {KEY_END}, K::event, Key::end},
        {"up", {KEY_UP}, K::event, Key::up},
        {"down", {KEY_DOWN}, K::event, Key::down},
        {"resize", {KEY_RESIZE}, K::resize},
        {"mouse", {KEY_MOUSE}, K::mouse},
        {"control byte", {1}, K::ignored},
        {"non-ASCII byte", {0xE9}, K::ignored},
        {"other function key", {KEY_F(3)}, K::ignored},
        {"nothing", {}, K::none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedReader reader{{c.codes.begin(), c.codes.end()}, {}};
        const DecodedKey decoded = read_key(std::ref(reader), -1);
        ASSERT_EQ(decoded.kind, c.kind);
        EXPECT_EQ(reader.codes.size(), c.left_over);
        if (c.kind != DecodedKey::Kind::event)
            continue;
        EXPECT_EQ(decoded.event.kind, InputEvent::Kind::key);
        EXPECT_EQ(decoded.event.key, c.key);
        EXPECT_EQ(decoded.event.modifiers, c.modifiers);
        EXPECT_EQ(decoded.event.character, c.character);
    }
}

TEST(KeyDecoder, WaitsOnlyBrieflyForWhatFollowsEscape) {
    ScriptedReader reader{{27}, {}};
    read_key(std::ref(reader), -1);
    EXPECT_EQ(reader.timeouts, (std::vector<int>{-1, escape_follow_ms}));
}

} // namespace
} // namespace ui::tui
