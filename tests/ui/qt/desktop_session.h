// Test support for the desktop front end: one front end for the whole test program with the
// program's resources installed, and a scripted user who acts while a modal loop runs.
#pragma once

#include "ui/qt/qt_front_end.h"

#include <QTimer>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace ui::qt::test {

// Installs the front end, the program's resource module and the message-box hooks for its life.
class DesktopSession {
public:
    DesktopSession();
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // Made on first use and kept for the process: the application object exists once.
    static QtFrontEnd& front_end();

    // The window of the innermost dialog being shown, or null.
    static DialogWindow* active_window();
    // The native widget of control id in the innermost dialog, or null.
    static QWidget* control(int id);
    // Presses a key where the keyboard focus is in the innermost window.
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

private:
    FrontEnd* m_previous_front_end = nullptr;
};

// The steps a user takes while a dialog runs. Each step is polled every few milliseconds until
// it returns true (it has acted), then the next one starts. When a step is not done within the
// deadline, the test fails and every dialog is closed, so no test hangs.
class UserScript {
public:
    using Step = std::function<bool()>;

    UserScript& then(std::string name, Step step);
    // Starts polling; call before the dialog's DoModal.
    void start(std::chrono::seconds deadline = std::chrono::seconds(20));
    bool finished() const { return m_next == m_steps.size(); }
    // The name of the step that did not finish, empty when all did.
    std::string stuck_at() const;

private:
    void tick();
    void give_up();

    std::vector<std::pair<std::string, Step>> m_steps;
    std::size_t m_next = 0;
    QTimer m_timer;
    std::chrono::steady_clock::time_point m_deadline;
    bool m_gave_up = false;
};

} // namespace ui::qt::test
