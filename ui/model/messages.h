// Window messages with their documented Windows numbers, and the receiver a dialog sends them to.
#pragma once

#include <cstdint>

namespace ui::model {

namespace msg {
inline constexpr unsigned WM_SETFOCUS = 0x0007;
inline constexpr unsigned WM_PAINT = 0x000F;
inline constexpr unsigned WM_CLOSE = 0x0010;
inline constexpr unsigned WM_ICONERASEBKGND = 0x0027;
inline constexpr unsigned WM_QUERYDRAGICON = 0x0037;
inline constexpr unsigned WM_SETICON = 0x0080;
inline constexpr unsigned WM_INITDIALOG = 0x0110;
inline constexpr unsigned WM_COMMAND = 0x0111;
inline constexpr unsigned WM_SYSCOMMAND = 0x0112;

inline constexpr unsigned BN_CLICKED = 0;

inline constexpr unsigned SC_MOVE = 0xF010;
inline constexpr unsigned SC_MINIMIZE = 0xF020;
inline constexpr unsigned SC_CLOSE = 0xF060;
inline constexpr unsigned SC_KEYMENU = 0xF100;
inline constexpr unsigned SC_RESTORE = 0xF120;

inline constexpr unsigned ICON_SMALL = 0;
inline constexpr unsigned ICON_BIG = 1;

inline constexpr int dialog_ok = 1;     // IDOK
inline constexpr int dialog_cancel = 2; // IDCANCEL
} // namespace msg

struct Message {
    unsigned message = 0;
    std::uintptr_t wparam = 0;
    std::intptr_t lparam = 0;
};

// WM_COMMAND's first parameter: the control id in the low word, the notification in the high word.
constexpr std::uintptr_t make_command_wparam(int id, unsigned notification) {
    return (static_cast<std::uintptr_t>(notification & 0xFFFFu) << 16) |
           (static_cast<std::uintptr_t>(id) & 0xFFFFu);
}

// Who handles a dialog's messages (the class framework's window procedure). Whatever it does not
// handle it passes to Dialog::default_message.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual std::intptr_t window_proc(const Message& message) = 0;
};

} // namespace ui::model
