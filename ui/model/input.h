// What a front end turns user input into: the events a dialog's modal loop dispatches.
#pragma once

#include <string>

namespace ui::model {

enum class Key {
    character, // a printable character, in InputEvent::character
    tab,
    enter,
    escape,
    space,
    backspace,
    delete_forward,
    left,
    right,
    home,
    end,
    up,
    down,
    f10,
};

namespace modifier {
inline constexpr unsigned none = 0;
inline constexpr unsigned shift = 1;
inline constexpr unsigned alt = 2;
inline constexpr unsigned control = 4;
} // namespace modifier

struct InputEvent {
    enum class Kind {
        key,            // key, modifiers, character
        click,          // mouse click on control_id: focuses it, presses a button
        focus,          // the user put the focus on control_id (e.g. a click into an edit box)
        set_text,       // the user edited control_id natively; text is its whole new content
        close_box,      // the frame's close button: WM_SYSCOMMAND SC_CLOSE
        system_menu,    // open the system menu (right-click on the background, menu button)
        system_command, // a WM_SYSCOMMAND the front end chose itself, in command
        quit,           // input is gone: the dialog closes as by the close box (IDCANCEL)
    };

    Kind kind = Kind::quit;
    Key key = Key::character;
    unsigned modifiers = modifier::none;
    char character = 0;
    int control_id = 0;
    std::string text;
    unsigned command = 0;

    static InputEvent key_press(Key key, unsigned modifiers = modifier::none);
    static InputEvent typed(char character);
    static InputEvent click(int control_id);
    static InputEvent focus_on(int control_id);
    static InputEvent text_edited(int control_id, std::string text);
    static InputEvent close();
    static InputEvent open_system_menu();
    static InputEvent sys_command(unsigned command);
    static InputEvent input_closed();
};

} // namespace ui::model
