// Fuzzes the terminal key decoder. Input: key codes, two bytes each (low byte first); 0xFFFF is
// "no key within the time-out", any other value keeps its low nine bits, which span the
// characters and the curses key codes. Each decoded key consumes input, waits beyond the
// escape delay nowhere but on its first read, and yields only events a dialog knows.
#include "fuzz_support.h"

#include "ui/tui/curses_api.h"
#include "ui/tui/key_decoder.h"

#include <vector>

namespace {

using fuzz::require;
using ui::model::InputEvent;
using ui::model::Key;
using ui::tui::DecodedKey;

// How long the first read of each key may wait: as the modal loop waits, without a limit.
constexpr int first_wait_ms = -1;
// ESC, its follower, and at most 16 bytes of a sequence.
constexpr int most_reads_per_key = 18;

std::vector<int> read_codes(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader in(data, size);
    std::vector<int> codes;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const unsigned value = in.word();
        codes.push_back(value == 0xFFFFu ? ERR : static_cast<int>(value & 0x1FFu));
    }
    return codes;
}

bool known_key_event(const InputEvent& event) {
    constexpr unsigned known_modifiers =
        ui::model::modifier::shift | ui::model::modifier::alt | ui::model::modifier::control;
    if (event.kind != InputEvent::Kind::key || (event.modifiers & ~known_modifiers) != 0)
        return false;
    if (event.control_id != 0 || !event.text.empty() || event.command != 0)
        return false;
    switch (event.key) {
    case Key::character:
        return event.character > ' ' && event.character < 0x7F;
    case Key::space:
        return event.character == ' ';
    case Key::tab:
    case Key::enter:
    case Key::escape:
    case Key::backspace:
    case Key::delete_forward:
    case Key::left:
    case Key::right:
    case Key::home:
    case Key::end:
    case Key::up:
    case Key::down:
    case Key::f10:
        return event.character == 0;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<int> codes = read_codes(data, size);
    std::size_t next = 0;
    int reads = 0;
    const ui::tui::KeyReader read = [&](int timeout_ms) {
        ++reads;
        if (reads == 1)
            require(timeout_ms == first_wait_ms, "the first read waits as the caller says");
        else
            require(timeout_ms >= 0 && timeout_ms <= ui::tui::escape_follow_ms,
                    "look-ahead waits no longer than the escape delay");
        return next < codes.size() ? codes[next++] : ERR;
    };

    while (next < codes.size()) {
        const std::size_t first = next;
        reads = 0;
        const DecodedKey key = ui::tui::read_key(read, first_wait_ms);
        require(next > first, "every key consumes input");
        require(reads <= most_reads_per_key, "look-ahead is bounded");
        switch (key.kind) {
        case DecodedKey::Kind::event:
            require(known_key_event(key.event), "only known key events come out");
            break;
        case DecodedKey::Kind::none:
            require(codes[first] == ERR && next == first + 1, "none only when no key came");
            break;
        case DecodedKey::Kind::resize:
            require(codes[first] == KEY_RESIZE && next == first + 1, "resize is one code");
            break;
        case DecodedKey::Kind::mouse:
            require(codes[first] == KEY_MOUSE && next == first + 1, "mouse is one code");
            break;
        case DecodedKey::Kind::ignored:
            break;
        }
    }
    return 0;
}
