// A test's dialog session: installs a headless front end, a resource module and the message-box
// hooks for its life, and drives dialogs shown modeless.
#pragma once

#include "ui/headless/headless_front_end.h"
#include "ui/res/module.h"

#include <string>

namespace ui::headless {

class Session {
public:
    // resources may be null (then the previously installed module stays in use).
    explicit Session(const res::Module* resources = nullptr);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    HeadlessFrontEnd& front_end() { return m_front_end; }

private:
    HeadlessFrontEnd m_front_end;
    FrontEnd* m_previous_front_end = nullptr;
    const res::Module* m_previous_module = nullptr;
};

// Drives a shown dialog as a user would, one event at a time, painting after each like the
// modal loop does. Use with a dialog made by CDialog::Create (its GetModel()).
class DialogDriver {
public:
    explicit DialogDriver(model::Dialog& dialog) : m_dialog(dialog) {}

    // Focuses the edit box id and replaces its whole text, as typing over it does.
    void type_into(int id, const std::string& text);
    void click(int id);
    void press(model::Key key, unsigned modifiers = model::modifier::none);
    void type(const std::string& characters);
    void close_box();
    void system_command(unsigned command);
    void send(const model::InputEvent& event);

    std::string text(int id) const { return m_dialog.text(id); }
    int focus_id() const { return m_dialog.focus_id(); }
    model::Dialog& dialog() { return m_dialog; }

private:
    model::Dialog& m_dialog;
};

} // namespace ui::headless
