// The main dialog on the desktop: layout in pixels, start state, tab order, Enter and Escape,
// typing and clicking, and the integer prompt.
#include "desktop_session.h"
#include "scripted_probe_dlg.h"

#include "resource.h"
#include "ui/model/modal_loop.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace ui::qt::test {
namespace {

QString text_of(int id) {
    QWidget* widget = DesktopSession::control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* button = qobject_cast<QPushButton*>(widget))
        return button->text();
    return {};
}

bool main_dialog_shown() {
    const DialogWindow* window = DesktopSession::active_window();
    return window != nullptr && window->isVisible() && window->isActiveWindow() &&
           window->dialog().template_id() == 102;
}

int focused_control_id() {
    const DialogWindow* window = DesktopSession::active_window();
    for (std::size_t i = 0; window != nullptr; ++i) {
        QWidget* widget = window->control_widget(i);
        if (widget == nullptr)
            break;
        if (widget->hasFocus())
            return window->dialog().controls()[i].id;
    }
    return 0;
}

// Pixel rectangles of the main dialog's controls for base units 6 x 13, template order.
struct PixelRow {
    const char* control;
    QRect pixels;
};
constexpr PixelRow k_pixels_6x13[] = {
    {"OK", {164, 11, 39, 23}},           {"Select and Open Port", {125, 67, 107, 13}},
    {"Open Port", {47, 62, 75, 23}},     {"port edit", {11, 62, 32, 23}},
    {"Port #", {12, 44, 36, 13}},        {"status edit", {54, 11, 101, 23}},
    {"Status:", {14, 13, 36, 13}},       {"Read Binary", {11, 104, 75, 23}},
    {"binary edit", {93, 104, 131, 23}}, {"Read ASCII", {11, 140, 75, 23}},
    {"ascii edit", {93, 140, 132, 23}},
};

TEST(ProbeDialogOnDesktop, StartsWithTheTemplateLayoutAndInitialTexts) {
    DesktopSession session;
    CScriptedProbeDlg dlg;
    UserScript user;
    user.then("look at the dialog", [] {
        if (!main_dialog_shown())
            return false;
        DialogWindow* window = DesktopSession::active_window();
        const model::Dialog& dialog = window->dialog();
        const model::BaseUnits base = window->dialog_font().base;
        if (window->dialog_font().raster) {
            EXPECT_EQ(base, (model::BaseUnits{6, 13}));
            EXPECT_EQ(window->size(), QSize(242, 172));
        }
        EXPECT_EQ(window->size(),
                  QSize(model::mul_div(161, base.x, 4), model::mul_div(106, base.y, 8)));
        for (std::size_t i = 0; i < dialog.controls().size(); ++i) {
            const model::Rect& r = dialog.controls()[i].rect;
            const QRect expected(model::mul_div(r.x, base.x, 4), model::mul_div(r.y, base.y, 8),
                                 model::mul_div(r.width, base.x, 4),
                                 model::mul_div(r.height, base.y, 8));
            SCOPED_TRACE(k_pixels_6x13[i].control);
            EXPECT_EQ(window->control_widget(i)->geometry(), expected);
            if (base == model::BaseUnits{6, 13}) {
                EXPECT_EQ(window->control_widget(i)->geometry(), k_pixels_6x13[i].pixels);
            }
        }
        EXPECT_EQ(window->windowTitle(), "Zelt GUI");
        EXPECT_FALSE(window->windowIcon().isNull());
        EXPECT_EQ(text_of(IDC_PORT), "5");
        EXPECT_EQ(text_of(IDC_STATUS), "Enter a port number");
        EXPECT_EQ(text_of(IDC_BINARY), "");
        EXPECT_EQ(text_of(IDC_ASCII), "");
        EXPECT_EQ(focused_control_id(), IDOK);
        EXPECT_TRUE(static_cast<QPushButton*>(DesktopSession::control(IDOK))->isDefault());

        QDir().mkpath(QStringLiteral(ZELT_SCREENSHOT_DIR));
        EXPECT_TRUE(window->grab().save(QStringLiteral(ZELT_SCREENSHOT_DIR "/zelt-gui-start.png")));
        DesktopSession::press(Qt::Key_Escape);
        return true;
    });
    user.start();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(user.finished()) << user.stuck_at();
}

TEST(ProbeDialogOnDesktop, TabWalksTheTemplateOrderAndShiftTabWalksBack) {
    DesktopSession session;
    CScriptedProbeDlg dlg;
    UserScript user;
    user.then("shown", [] { return main_dialog_shown(); });
    auto focus_on = [](int id) {
        return [id] {
            if (focused_control_id() != id)
                return false;
            EXPECT_EQ(DesktopSession::active_window()->dialog().focus_id(), id);
            return true;
        };
    };
    const int order[] = {IDC_OPEN_PORT, IDC_PORT,       IDC_STATUS, IDC_READ_BINARY,
                         IDC_BINARY,    IDC_READ_ASCII, IDC_ASCII,  IDOK};
    for (int id : order) {
        user.then("press Tab",
                  [] {
                      DesktopSession::press(Qt::Key_Tab);
                      return true;
                  })
            .then("focus on control " + std::to_string(id), focus_on(id));
    }
    user.then("press Shift+Tab",
              [] {
                  DesktopSession::press(Qt::Key_Backtab, Qt::ShiftModifier);
                  return true;
              })
        .then("focus back on the last edit box", focus_on(IDC_ASCII))
        .then("escape", [] {
            DesktopSession::press(Qt::Key_Escape);
            return true;
        });
    user.start();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(user.finished()) << user.stuck_at();
}

struct KeyCase {
    const char* name;
    int tabs; // Tab presses before the key, from the OK button
    int focus_before_key;
    int key;
    int result;
    std::vector<int> handlers;
};

TEST(ProbeDialogOnDesktop, EnterPressesTheFocusedOrDefaultButtonAndEscapeCancels) {
    const KeyCase cases[] = {
        {"Enter on OK ends with IDOK", 0, IDOK, Qt::Key_Return, IDOK, {}},
        {"Enter in the port field presses OK", 2, IDC_PORT, Qt::Key_Enter, IDOK, {}},
        {"Escape ends with IDCANCEL", 0, IDOK, Qt::Key_Escape, IDCANCEL, {}},
        {"Enter on Open Port presses it, not OK",
         1,
         IDC_OPEN_PORT,
         Qt::Key_Return,
         IDCANCEL,
         {IDC_OPEN_PORT}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DesktopSession session;
        CScriptedProbeDlg dlg;
        UserScript user;
        user.then("shown", [] { return main_dialog_shown(); })
            .then("tabs",
                  [&c] {
                      for (int i = 0; i < c.tabs; ++i)
                          DesktopSession::press(Qt::Key_Tab);
                      return true;
                  })
            .then("focus in place, key",
                  [&c] {
                      if (focused_control_id() != c.focus_before_key)
                          return false;
                      // The default frame follows a focused push button.
                      const auto* button =
                          qobject_cast<QPushButton*>(DesktopSession::control(c.focus_before_key));
                      const auto* ok = qobject_cast<QPushButton*>(DesktopSession::control(IDOK));
                      EXPECT_EQ(ok->isDefault(), button == nullptr || button == ok);
                      DesktopSession::press(c.key);
                      return true;
                  })
            .then("after the handler, escape", [&dlg, &c] {
                if (c.handlers.empty())
                    return true;
                if (dlg.m_calls.empty())
                    return false;
                DesktopSession::press(Qt::Key_Escape);
                return true;
            });
        user.start();
        EXPECT_EQ(dlg.DoModal(), c.result);
        std::vector<int> handlers;
        for (const auto& call : dlg.m_calls)
            handlers.push_back(call.button);
        EXPECT_EQ(handlers, c.handlers);
    }
}

TEST(ProbeDialogOnDesktop, TypedTextReachesTheMembersBeforeTheHandlerRuns) {
    DesktopSession session;
    CScriptedProbeDlg dlg;
    UserScript user;
    auto type_into = [](int id, const char* text) {
        QWidget* edit = DesktopSession::control(id);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, QString::fromLatin1(text));
    };
    user.then("shown", [] { return main_dialog_shown(); })
        .then("type a port",
              [&] {
                  type_into(IDC_PORT, "12");
                  return true;
              })
        .then("click Read Binary",
              [] {
                  QTest::mouseClick(DesktopSession::control(IDC_READ_BINARY), Qt::LeftButton);
                  return true;
              })
        .then("type a status",
              [&] {
                  if (dlg.m_calls.size() != 1)
                      return false;
                  type_into(IDC_STATUS, "typed by hand");
                  return true;
              })
        .then("click Read ASCII",
              [] {
                  QTest::mouseClick(DesktopSession::control(IDC_READ_ASCII), Qt::LeftButton);
                  return true;
              })
        .then("click OK", [&] {
            if (dlg.m_calls.size() != 2)
                return false;
            QTest::mouseClick(DesktopSession::control(IDOK), Qt::LeftButton);
            return true;
        });
    user.start();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(user.finished()) << user.stuck_at();
    ASSERT_EQ(dlg.m_calls.size(), 2u);
    EXPECT_EQ(dlg.m_calls[0].button, IDC_READ_BINARY);
    EXPECT_EQ(dlg.m_calls[0].port, 12);
    EXPECT_EQ(dlg.m_calls[1].button, IDC_READ_ASCII);
    EXPECT_EQ(dlg.m_calls[1].status, "typed by hand");
    EXPECT_EQ(dlg.m_nPort, 12);
}

TEST(ProbeDialogOnDesktop, LettersInThePortFieldShowTheIntegerPromptAndKeepTheDialog) {
    DesktopSession session;
    CScriptedProbeDlg dlg;
    UserScript user;
    QMessageBox* box = nullptr;
    user.then("shown", [] { return main_dialog_shown(); })
        .then("type letters and press Enter",
              [] {
                  QWidget* edit = DesktopSession::control(IDC_PORT);
                  QTest::mouseClick(edit, Qt::LeftButton);
                  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
                  QTest::keyClicks(edit, QStringLiteral("abc"));
                  QTest::keyClick(edit, Qt::Key_Return);
                  return true;
              })
        .then("the prompt",
              [&box] {
                  box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                  if (box == nullptr || !box->isVisible())
                      return false;
                  EXPECT_EQ(box->windowTitle(), "Zelt GUI");
                  EXPECT_EQ(box->text(), "Please enter an integer.");
                  EXPECT_EQ(box->buttons().size(), 1);
                  EXPECT_EQ(box->button(QMessageBox::Ok) != nullptr, true);
                  EXPECT_EQ(box->icon(), QMessageBox::Warning);
                  QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
                  return true;
              })
        .then("dismissed, dialog still open", [] {
            if (qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr ||
                !main_dialog_shown())
                return false;
            EXPECT_EQ(text_of(IDC_PORT), "abc");
            DesktopSession::press(Qt::Key_Escape);
            return true;
        });
    user.start();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(user.finished()) << user.stuck_at();
    EXPECT_EQ(dlg.m_nPort, 5);
}

} // namespace
} // namespace ui::qt::test
