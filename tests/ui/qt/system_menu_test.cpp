// The system menu on the desktop: Alt+Space and a right-click on the background open it, the
// About entry shows the About box modally, Minimize makes the dialog iconic and Restore undoes it.
#include "desktop_session.h"
#include "scripted_probe_dlg.h"

#include "resource.h"
#include "ui/model/messages.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace ui::qt::test {
namespace {

bool dialog_active(int template_id) {
    const DialogWindow* window = DesktopSession::active_window();
    return window != nullptr && window->isVisible() && window->isActiveWindow() &&
           window->dialog().template_id() == template_id;
}

QMenu* open_system_menu() {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    return menu != nullptr && menu->objectName() == "system-menu" && menu->isVisible() ? menu
                                                                                       : nullptr;
}

// Chooses the entry with this text the way a user does: highlight it, press Enter.
bool choose(const QString& text) {
    QMenu* menu = open_system_menu();
    if (menu == nullptr)
        return false;
    for (QAction* action : menu->actions()) {
        if (action->text() != text)
            continue;
        EXPECT_TRUE(action->isEnabled()) << text.toStdString();
        menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_Return);
        return true;
    }
    ADD_FAILURE() << "no entry " << text.toStdString();
    menu->close();
    return true;
}

// A point of the main dialog's client area that no control covers.
const QPoint k_background(236, 100);

TEST(SystemMenuOnDesktop, AltSpaceShowsTheEntriesAndAboutOpensTheAboutBoxModally) {
    DesktopSession session;
    CScriptedProbeDlg dlg;
    UserScript user;
    user.then("shown", [] { return dialog_active(102); })
        .then("Alt+Space",
              [] {
                  DesktopSession::press(Qt::Key_Space, Qt::AltModifier);
                  return true;
              })
        .then("the menu",
              [] {
                  QMenu* menu = open_system_menu();
                  if (menu == nullptr)
                      return false;
                  QStringList entries;
                  for (const QAction* action : menu->actions())
                      entries << (action->isSeparator() ? QStringLiteral("-")
                                  : action->isEnabled()
                                      ? action->text()
                                      : QStringLiteral("(%1)").arg(action->text()));
                  EXPECT_EQ(entries.join(' ').toStdString(),
                            "(&Restore) &Move Mi&nimize - &Close - &About Zelt GUI...");
                  return true;
              })
        .then("choose About", [] { return choose(QStringLiteral("&About Zelt GUI...")); })
        .then("the About box",
              [] {
                  if (!dialog_active(100))
                      return false;
                  DialogWindow* about = DesktopSession::active_window();
                  EXPECT_EQ(about->windowTitle(), "About Zelt GUI");
                  EXPECT_EQ(about->windowModality(), Qt::ApplicationModal);
                  EXPECT_NE(about->parentWidget(), nullptr); // owned by the main dialog
                  DesktopSession::press(Qt::Key_Return);
                  return true;
              })
        .then("back in the main dialog", [] {
            if (!dialog_active(102))
                return false;
            DesktopSession::press(Qt::Key_Escape);
            return true;
        });
    user.start();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(user.finished()) << user.stuck_at();
}

TEST(SystemMenuOnDesktop, RightClickOnTheBackgroundOpensItAndMinimizeRestoreWork) {
    DesktopSession session;
    CScriptedProbeDlg dlg;
    UserScript user;
    auto right_click_background = [] {
        QTest::mouseClick(DesktopSession::active_window(), Qt::RightButton, {}, k_background);
        return true;
    };
    user.then("shown", [] { return dialog_active(102); })
        .then("right-click on a button does nothing",
              [] {
                  QTest::mouseClick(DesktopSession::control(IDC_OPEN_PORT), Qt::RightButton);
                  EXPECT_EQ(open_system_menu(), nullptr);
                  return true;
              })
        .then("right-click on the background", right_click_background)
        .then("Escape dismisses the menu",
              [] {
                  QMenu* menu = open_system_menu();
                  if (menu == nullptr)
                      return false;
                  QTest::keyClick(menu, Qt::Key_Escape);
                  return true;
              })
        .then("menu gone, dialog open",
              [] { return open_system_menu() == nullptr && dialog_active(102); })
        .then("right-click again", right_click_background)
        .then("choose Minimize", [] { return choose(QStringLiteral("Mi&nimize")); })
        .then("minimised",
              [&dlg] {
                  DialogWindow* window = DesktopSession::active_window();
                  if (window == nullptr || !window->isMinimized())
                      return false;
                  EXPECT_TRUE(dlg.IsIconic());
                  DesktopSession::press(Qt::Key_Space, Qt::AltModifier);
                  return true;
              })
        .then("choose Restore", [] { return choose(QStringLiteral("&Restore")); })
        .then("restored", [&dlg] {
            DialogWindow* window = DesktopSession::active_window();
            if (window == nullptr || window->isMinimized() || dlg.IsIconic())
                return false;
            DesktopSession::press(Qt::Key_Escape);
            return true;
        });
    user.start();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(user.finished()) << user.stuck_at();
}

} // namespace
} // namespace ui::qt::test
