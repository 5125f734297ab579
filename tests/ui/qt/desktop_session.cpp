// Test support for the desktop front end.
#include "desktop_session.h"

#include "ProbeApp.h"
#include "ZeltGUI_rc.h"
#include "ui/model/modal_loop.h"
#include "ui/user_hooks.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace ui::qt::test {

DesktopSession::DesktopSession() {
    m_previous_front_end = install_front_end(&front_end());
    res::install_module(&ZeltGUIResources());
    install_user_hooks();
    // As the program's start-up names it: message boxes carry the name as their caption.
    if (theApp.m_pszAppName == nullptr)
        AfxSetAppName(theApp, "Zelt GUI");
}

DesktopSession::~DesktopSession() {
    remove_user_hooks();
    res::install_module(nullptr);
    install_front_end(m_previous_front_end);
}

QtFrontEnd& DesktopSession::front_end() {
    // Deliberately never destroyed: the application object must outlive every test.
    static QtFrontEnd* front_end = new QtFrontEnd();
    return *front_end;
}

DialogWindow* DesktopSession::active_window() {
    const model::Dialog* dialog = model::active_dialog();
    return dialog != nullptr ? front_end().window_of(*dialog) : nullptr;
}

QWidget* DesktopSession::control(int id) {
    DialogWindow* window = active_window();
    return window != nullptr ? window->control_widget_by_id(id) : nullptr;
}

void DesktopSession::press(int key, Qt::KeyboardModifiers modifiers) {
    DialogWindow* window = active_window();
    QWidget* target = QApplication::focusWidget();
    if (window != nullptr && (target == nullptr || target->window() != window))
        target = window;
    if (target != nullptr)
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

UserScript& UserScript::then(std::string name, Step step) {
    m_steps.emplace_back(std::move(name), std::move(step));
    return *this;
}

void UserScript::start(std::chrono::seconds deadline) {
    m_deadline = std::chrono::steady_clock::now() + deadline;
    m_timer.setInterval(5);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
    m_timer.start();
}

std::string UserScript::stuck_at() const {
    return finished() ? std::string() : m_steps[m_next].first;
}

void UserScript::tick() {
    if (!m_gave_up && !finished() && std::chrono::steady_clock::now() > m_deadline) {
        m_gave_up = true;
        ADD_FAILURE() << "the user's step \"" << stuck_at() << "\" did not happen in time";
    }
    if (m_gave_up) {
        give_up();
        return;
    }
    // One step a tick: what a step did is seen by the model before the next one looks.
    if (!finished() && m_steps[m_next].second())
        ++m_next;
}

void UserScript::give_up() {
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    if (QWidget* modal = QApplication::activeModalWidget();
        modal != nullptr && dynamic_cast<DialogWindow*>(modal) == nullptr)
        modal->close();
    if (DialogWindow* window = DesktopSession::active_window())
        window->close();
}

} // namespace ui::qt::test
