// Headless front end: scripted input and recorded output.
#include "ui/headless/headless_front_end.h"

namespace ui::headless {

std::string Screen::text(int id) const {
    for (const auto& [control_id, text] : texts)
        if (control_id == id)
            return text;
    return {};
}

model::BaseUnits HeadlessFrontEnd::base_units(const model::FontSpec&) {
    return m_base_units;
}

void HeadlessFrontEnd::open_view(model::Dialog& dialog) {
    m_opened.push_back(dialog.template_id());
}

void HeadlessFrontEnd::close_view(model::Dialog&) {}

void HeadlessFrontEnd::present(model::Dialog& dialog) {
    Screen screen;
    screen.template_id = dialog.template_id();
    screen.caption = dialog.caption();
    screen.iconic = dialog.iconic();
    screen.focus_id = dialog.focus_id();
    for (const auto& control : dialog.controls())
        screen.texts.emplace_back(control.id, control.text);
    screen.icons = dialog.painted_icons();
    m_screens.push_back(std::move(screen));
}

model::InputEvent HeadlessFrontEnd::wait_input(model::Dialog& dialog) {
    if (m_script.empty())
        return model::InputEvent::input_closed();
    ScriptStep step = std::move(m_script.front());
    m_script.pop_front();
    return step(dialog);
}

int HeadlessFrontEnd::message_box(model::Dialog* owner, const std::string& text,
                                  const std::string& caption, unsigned type) {
    m_message_boxes.push_back({caption, text, type, owner != nullptr ? owner->template_id() : 0});
    return model::msg::dialog_ok;
}

unsigned HeadlessFrontEnd::track_system_menu(model::Dialog& dialog) {
    m_menus_shown.push_back(dialog.system_menu().items());
    if (m_menu_choices.empty())
        return 0;
    const unsigned command = m_menu_choices.front();
    m_menu_choices.pop_front();
    return command;
}

void HeadlessFrontEnd::push(model::InputEvent event) {
    m_script.push_back([event = std::move(event)](model::Dialog&) { return event; });
}

void HeadlessFrontEnd::push(ScriptStep step) {
    m_script.push_back(std::move(step));
}

void HeadlessFrontEnd::choose_from_system_menu(unsigned command) {
    m_menu_choices.push_back(command);
}

void HeadlessFrontEnd::clear_records() {
    m_screens.clear();
    m_message_boxes.clear();
    m_opened.clear();
    m_menus_shown.clear();
}

std::unique_ptr<FrontEnd> make_headless_front_end() {
    return std::make_unique<HeadlessFrontEnd>();
}

} // namespace ui::headless
