// Keyboard and mouse handling of a dialog: tab order, Enter, Escape, Space, the close box and
// edit-box typing, through the framework and the headless front end.
#include "test_dialog_fixture.h"
#include "test_dialogs.h"
#include "ui/headless/session.h"
#include "ui/model/modal_loop.h"

#include <gtest/gtest.h>

namespace ui::test {
namespace {

using model::InputEvent;
using model::Key;

class DialogInputTest : public TestDialogTest {};

TEST_F(DialogInputTest, InitialFocusIsTheFirstTabStop) {
    EXPECT_EQ(dialog().focus_id(), IDOK);
}

TEST_F(DialogInputTest, TabFollowsTemplateOrderSkippingStaticsAndWraps) {
    auto d = driver();
    const std::vector<int> forward = {IDC_NAME, IDC_NUMBER, IDC_APPLY, IDC_NOTE, IDCANCEL, IDOK};
    for (int expected : forward) {
        d.press(Key::tab);
        EXPECT_EQ(d.focus_id(), expected);
    }
    d.press(Key::tab, model::modifier::shift);
    EXPECT_EQ(d.focus_id(), IDCANCEL);
    d.press(Key::tab, model::modifier::shift);
    EXPECT_EQ(d.focus_id(), IDC_NOTE);
}

TEST_F(DialogInputTest, EnterPressesTheFocusedButton) {
    auto d = driver();
    d.click(IDC_APPLY);
    d.press(Key::enter);
    EXPECT_EQ(m_dlg.m_calls, (std::vector<std::string>{"apply", "apply"}));
    EXPECT_FALSE(dialog().ended());
}

TEST_F(DialogInputTest, EnterInAnEditBoxPressesTheDefaultButton) {
    auto d = driver();
    d.type_into(IDC_NAME, "x");
    d.press(Key::enter);
    EXPECT_EQ(m_dlg.m_calls, std::vector<std::string>{"ok"});
    EXPECT_TRUE(dialog().ended());
    EXPECT_EQ(dialog().result(), IDOK);
}

TEST_F(DialogInputTest, SpacePressesAFocusedButtonAndTypesInAnEdit) {
    auto d = driver();
    d.click(IDC_APPLY);
    d.press(Key::space);
    EXPECT_EQ(m_dlg.m_calls, (std::vector<std::string>{"apply", "apply"}));
    d.type_into(IDC_NAME, "a");
    d.type(" b");
    EXPECT_EQ(d.text(IDC_NAME), "a b");
}

TEST_F(DialogInputTest, EscapeAndTheCloseBoxCancel) {
    for (auto event : {InputEvent::key_press(Key::escape), InputEvent::close()}) {
        CTestDlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_TEST));
        headless::DialogDriver(*dlg.GetModel()).send(event);
        EXPECT_EQ(dlg.m_calls, std::vector<std::string>{"cancel"});
        EXPECT_TRUE(dlg.GetModel()->ended());
        EXPECT_EQ(dlg.GetModel()->result(), IDCANCEL);
    }
}

TEST_F(DialogInputTest, TabbingIntoAnEditSelectsItsTextSoTypingReplacesIt) {
    auto d = driver();
    d.type_into(IDC_NAME, "old");
    d.press(Key::tab); // to the number
    d.press(Key::tab, model::modifier::shift);
    d.type("new");
    EXPECT_EQ(d.text(IDC_NAME), "new");
    d.press(Key::left);
    d.press(Key::backspace);
    d.press(Key::home);
    d.press(Key::delete_forward);
    d.press(Key::end);
    d.type("!");
    EXPECT_EQ(d.text(IDC_NAME), "w!");
}

TEST_F(DialogInputTest, ClicksOnStaticsAndUnknownIdsDoNothing) {
    auto d = driver();
    d.click(-1);
    d.click(9999);
    EXPECT_EQ(d.focus_id(), IDOK);
    EXPECT_TRUE(m_dlg.m_calls.empty());
}

TEST(ModalLoopTest, RunsTheScriptAndEndsWhenInputCloses) {
    res::Module module = make_test_module();
    headless::Session session(&module);
    auto& front_end = session.front_end();
    front_end.push(InputEvent::click(IDC_APPLY));
    front_end.push([](model::Dialog& dialog) {
        EXPECT_EQ(dialog.focus_id(), IDC_APPLY);
        return InputEvent::click(IDC_APPLY);
    });
    CTestDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL); // the script ran out
    EXPECT_EQ(dlg.m_calls, (std::vector<std::string>{"apply", "apply", "cancel"}));
    EXPECT_EQ(front_end.opened_views(), std::vector<int>{IDD_TEST});
    EXPECT_GE(front_end.present_count(), 1);
    EXPECT_EQ(model::active_dialog(), nullptr);
}

TEST(ModalLoopTest, MissingTemplateOrFrontEndGivesMinusOne) {
    res::Module module = make_test_module();
    {
        headless::Session session(&module);
        CDialog missing(12345);
        EXPECT_EQ(missing.DoModal(), -1);
    }
    const auto* previous_module = res::install_module(&module);
    FrontEnd* previous = install_front_end(nullptr);
    CTestDlg dlg;
    EXPECT_EQ(dlg.DoModal(), -1);
    install_front_end(previous);
    res::install_module(previous_module);
}

} // namespace
} // namespace ui::test
