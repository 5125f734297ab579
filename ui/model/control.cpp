// Control state queries, template kinds, icons and menus: the small pieces of the model.
#include "ui/model/control.h"
#include "ui/model/input.h"
#include "ui/model/menu.h"
#include "ui/model/window_styles.h"

#include <algorithm>
#include <cctype>

namespace ui::model {

bool Control::visible() const {
    return (style & style::WS_VISIBLE) != 0;
}
bool Control::enabled() const {
    return (style & style::WS_DISABLED) == 0;
}
bool Control::tab_stop() const {
    return (style & style::WS_TABSTOP) != 0;
}

bool Control::default_style() const {
    return kind == ControlKind::push_button &&
           (style & style::BS_TYPEMASK) == style::BS_DEFPUSHBUTTON;
}

void Control::select_all() {
    selection_begin = 0;
    selection_end = text.size();
    caret = text.size();
}

void Control::collapse_to_end() {
    caret = text.size();
    selection_begin = selection_end = caret;
}

ControlKind control_kind(const std::string& class_name, std::uint32_t control_style) {
    std::string upper = class_name;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (upper == "BUTTON") {
        const auto type = control_style & style::BS_TYPEMASK;
        if (type == style::BS_PUSHBUTTON || type == style::BS_DEFPUSHBUTTON)
            return ControlKind::push_button;
        return ControlKind::other;
    }
    if (upper == "EDIT")
        return ControlKind::edit;
    if (upper == "STATIC") {
        const auto type = control_style & style::SS_TYPEMASK;
        if (type == style::SS_ICON)
            return ControlKind::static_icon;
        if (type == style::SS_LEFT || type == style::SS_CENTER || type == style::SS_RIGHT)
            return ControlKind::static_text;
    }
    return ControlKind::other;
}

const IconImage* Icon::best_image(int size) const {
    const IconImage* larger = nullptr;
    const IconImage* largest = nullptr;
    for (const auto& image : images) {
        if (image.width == size)
            return &image;
        if (image.width > size && (larger == nullptr || image.width < larger->width))
            larger = &image;
        if (largest == nullptr || image.width > largest->width)
            largest = &image;
    }
    return larger != nullptr ? larger : largest;
}

MenuItem* Menu::find(unsigned command) {
    for (auto& item : m_items)
        if (!item.separator && item.command == command)
            return &item;
    return nullptr;
}

const MenuItem* Menu::find_enabled(unsigned command) const {
    for (const auto& item : m_items)
        if (!item.separator && item.enabled && item.command == command)
            return &item;
    return nullptr;
}

std::string strip_mnemonic(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&')
                out += '&';
            ++i;
            if (i < text.size() && text[i] != '&')
                out += text[i];
            continue;
        }
        out += text[i];
    }
    return out;
}

int mnemonic_index(const std::string& text) {
    int visible = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] != '&')
                return visible;
            ++i; // "&&" shows one ampersand
        }
        ++visible;
    }
    return -1;
}

InputEvent InputEvent::key_press(Key key, unsigned modifiers) {
    InputEvent e;
    e.kind = Kind::key;
    e.key = key;
    e.modifiers = modifiers;
    if (key == Key::space)
        e.character = ' ';
    return e;
}

InputEvent InputEvent::typed(char character) {
    InputEvent e = key_press(character == ' ' ? Key::space : Key::character);
    e.character = character;
    return e;
}

InputEvent InputEvent::click(int control_id) {
    InputEvent e;
    e.kind = Kind::click;
    e.control_id = control_id;
    return e;
}

InputEvent InputEvent::focus_on(int control_id) {
    InputEvent e;
    e.kind = Kind::focus;
    e.control_id = control_id;
    return e;
}

InputEvent InputEvent::text_edited(int control_id, std::string text) {
    InputEvent e;
    e.kind = Kind::set_text;
    e.control_id = control_id;
    e.text = std::move(text);
    return e;
}

InputEvent InputEvent::close() {
    InputEvent e;
    e.kind = Kind::close_box;
    return e;
}

InputEvent InputEvent::open_system_menu() {
    InputEvent e;
    e.kind = Kind::system_menu;
    return e;
}

InputEvent InputEvent::sys_command(unsigned command) {
    InputEvent e;
    e.kind = Kind::system_command;
    e.command = command;
    return e;
}

InputEvent InputEvent::input_closed() {
    return InputEvent{};
}

} // namespace ui::model
