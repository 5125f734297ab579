// Test sessions and the modeless dialog driver.
#include "ui/headless/session.h"
#include "ui/user_hooks.h"

namespace ui::headless {

Session::Session(const res::Module* resources)
    : m_previous_front_end(install_front_end(&m_front_end)),
      m_previous_module(resources != nullptr ? res::install_module(resources)
                                             : res::current_module()) {
    install_user_hooks();
}

Session::~Session() {
    remove_user_hooks();
    install_front_end(m_previous_front_end);
    res::install_module(m_previous_module);
}

void DialogDriver::send(const model::InputEvent& event) {
    m_dialog.handle_input(event);
    m_dialog.update_window();
}

void DialogDriver::type_into(int id, const std::string& text) {
    send(model::InputEvent::focus_on(id));
    send(model::InputEvent::text_edited(id, text));
}

void DialogDriver::click(int id) {
    send(model::InputEvent::click(id));
}

void DialogDriver::press(model::Key key, unsigned modifiers) {
    send(model::InputEvent::key_press(key, modifiers));
}

void DialogDriver::type(const std::string& characters) {
    for (char c : characters)
        send(model::InputEvent::typed(c));
}

void DialogDriver::close_box() {
    send(model::InputEvent::close());
}

void DialogDriver::system_command(unsigned command) {
    send(model::InputEvent::sys_command(command));
}

} // namespace ui::headless
