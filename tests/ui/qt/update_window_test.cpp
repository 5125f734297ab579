// UpdateWindow on the desktop: a handler's new text is on screen while the handler still runs,
// and input that arrives meanwhile waits until the handler returns.
#include "desktop_session.h"
#include "scripted_probe_dlg.h"

#include "resource.h"
#include "ui/model/dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace ui::qt::test {
namespace {

// What the screen shows of widget: the window system's copy, not a fresh rendering.
QImage on_screen(QWidget* widget) {
    QWidget* window = widget->window();
    const QRect area(widget->mapTo(window, QPoint(0, 0)), widget->size());
    const QPixmap grabbed = window->windowHandle()->screen()->grabWindow(
        window->winId(), area.x(), area.y(), area.width(), area.height());
    return grabbed.toImage().convertToFormat(QImage::Format_RGB32);
}

QImage rendered(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(UpdateWindowOnDesktop, TestingIsOnScreenWhileTheHandlerIsBlocked) {
    DesktopSession session;
    CScriptedProbeDlg dlg;
    QImage before;
    bool handler_ran = false;
    dlg.m_onOpenPortBlocked = [&](CScriptedProbeDlg& self) {
        handler_ran = true;
        auto* status = qobject_cast<QLineEdit*>(DesktopSession::control(IDC_STATUS));
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->text(), "Testing...");
        const QImage now = on_screen(status);
        EXPECT_TRUE(now == rendered(status)) << "the screen does not show the new text yet";
        EXPECT_TRUE(now != before) << "the screen still shows the old text";

        // A key pressed now waits for the handler to return, as on Windows.
        QCoreApplication::postEvent(status->window(),
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
        EXPECT_FALSE(self.GetModel()->ended());
        EXPECT_EQ(status->text(), "Testing...");
    };
    UserScript user;
    user.then("shown",
              [&before] {
                  const DialogWindow* window = DesktopSession::active_window();
                  if (window == nullptr || !window->isActiveWindow())
                      return false;
                  before = on_screen(DesktopSession::control(IDC_STATUS));
                  return !before.isNull();
              })
        .then("click Open Port", [] {
            QTest::mouseClick(DesktopSession::control(IDC_OPEN_PORT), Qt::LeftButton);
            return true;
        });
    user.start();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL); // the waiting Escape, once the handler is done
    EXPECT_TRUE(user.finished()) << user.stuck_at();
    EXPECT_TRUE(handler_ran);
    ASSERT_EQ(dlg.m_calls.size(), 1u);
    EXPECT_EQ(dlg.m_strStatus, "Testing...");
}

} // namespace
} // namespace ui::qt::test
