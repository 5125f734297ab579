// Dialog keyboard and mouse handling: tab order, Enter and Escape, buttons, and edit-box editing.
#include "ui/model/dialog.h"
#include "ui/model/window_styles.h"

namespace ui::model {

void Dialog::press_button(int id) {
    send(msg::WM_COMMAND, make_command_wparam(id, msg::BN_CLICKED), 0);
}

void Dialog::handle_input(const InputEvent& event) {
    switch (event.kind) {
    case InputEvent::Kind::quit:
        // Closed like the close box, so the program sees its cancel; ended in any case.
        send(msg::WM_SYSCOMMAND, msg::SC_CLOSE, 0);
        if (!m_ended)
            end(msg::dialog_cancel);
        return;
    case InputEvent::Kind::close_box:
        send(msg::WM_SYSCOMMAND, msg::SC_CLOSE, 0);
        return;
    case InputEvent::Kind::system_menu:
        send(msg::WM_SYSCOMMAND, msg::SC_KEYMENU, ' ');
        return;
    case InputEvent::Kind::system_command:
        send(msg::WM_SYSCOMMAND, event.command, 0);
        return;
    case InputEvent::Kind::focus:
        if (set_focus(event.control_id))
            m_controls[m_focus].collapse_to_end();
        return;
    case InputEvent::Kind::set_text:
        if (Control* c = find(event.control_id); c != nullptr && c->kind == ControlKind::edit) {
            c->text = event.text;
            c->collapse_to_end();
            invalidate();
        }
        return;
    case InputEvent::Kind::click: {
        const Control* c = find(event.control_id);
        if (c == nullptr || !focusable(*c) || m_iconic)
            return;
        set_focus(c->id);
        if (c->is_button())
            press_button(c->id);
        return;
    }
    case InputEvent::Kind::key:
        break;
    }

    const bool alt = (event.modifiers & modifier::alt) != 0;
    if ((event.key == Key::space && alt) || event.key == Key::f10) {
        send(msg::WM_SYSCOMMAND, msg::SC_KEYMENU, ' ');
        return;
    }
    if (m_iconic)
        return; // a minimised dialog takes only the system menu
    switch (event.key) {
    case Key::tab:
        move_focus((event.modifiers & modifier::shift) != 0 ? TabDirection::backward
                                                            : TabDirection::forward);
        return;
    case Key::enter:
        press_button(enter_target_id());
        return;
    case Key::escape:
        press_button(msg::dialog_cancel);
        return;
    case Key::space:
        if (const Control* c = focused(); c != nullptr && c->is_button()) {
            press_button(c->id);
            return;
        }
        break;
    case Key::character:
    case Key::backspace:
    case Key::delete_forward:
    case Key::left:
    case Key::right:
    case Key::home:
    case Key::end:
    case Key::up:
    case Key::down:
    case Key::f10:
        break;
    }
    if (m_focus < m_controls.size() && m_controls[m_focus].kind == ControlKind::edit)
        edit_key(m_controls[m_focus], event);
}

void Dialog::edit_key(Control& edit, const InputEvent& event) {
    const bool read_only = (edit.style & style::ES_READONLY) != 0;
    auto erase_selection = [&edit] {
        edit.text.erase(edit.selection_begin, edit.selection_end - edit.selection_begin);
        edit.caret = edit.selection_begin;
        edit.selection_end = edit.selection_begin;
    };
    if (edit.caret > edit.text.size())
        edit.caret = edit.text.size();
    switch (event.key) {
    case Key::character:
    case Key::space:
        if (read_only || event.character == 0 || (event.modifiers & modifier::control) != 0)
            return;
        if (edit.has_selection())
            erase_selection();
        edit.text.insert(edit.caret, 1, event.character);
        ++edit.caret;
        break;
    case Key::backspace:
        if (read_only)
            return;
        if (edit.has_selection())
            erase_selection();
        else if (edit.caret > 0)
            edit.text.erase(--edit.caret, 1);
        break;
    case Key::delete_forward:
        if (read_only)
            return;
        if (edit.has_selection())
            erase_selection();
        else if (edit.caret < edit.text.size())
            edit.text.erase(edit.caret, 1);
        break;
    case Key::left:
        if (edit.caret > 0)
            --edit.caret;
        break;
    case Key::right:
        if (edit.caret < edit.text.size())
            ++edit.caret;
        break;
    case Key::home:
        edit.caret = 0;
        break;
    case Key::end:
        edit.caret = edit.text.size();
        break;
    case Key::tab:
    case Key::enter:
    case Key::escape:
    case Key::up:
    case Key::down:
    case Key::f10:
        return;
    }
    edit.selection_begin = edit.selection_end = edit.caret;
    invalidate();
}

} // namespace ui::model
