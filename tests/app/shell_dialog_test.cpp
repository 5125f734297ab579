// The main dialog: its start state, the port field's data exchange, OK, Escape, tab order and
// texts the user types.
#include "shell_fixture.h"

#include <optional>

namespace {

using ui::model::Key;

TEST_F(ShellTest, StartsWithPortFiveAndThePromptAndEmptyReadings) {
    EXPECT_EQ(dialog().caption(), "Zelt GUI");
    EXPECT_EQ(dialog().text(IDC_PORT), "5");
    EXPECT_EQ(dialog().text(IDC_STATUS), "Enter a port number");
    EXPECT_EQ(dialog().text(IDC_BINARY), "");
    EXPECT_EQ(dialog().text(IDC_ASCII), "");
    EXPECT_EQ(dialog().focus_id(), IDOK);
    EXPECT_EQ(dialog().default_button_id(), IDOK);
}

struct PortCase {
    const char* name;
    const char* typed;
    int member;    // m_nPort after UpdateData(TRUE)
    bool prompted; // "Please enter an integer." shown
};

class PortFieldTest : public ShellTest, public ::testing::WithParamInterface<PortCase> {};

TEST_P(PortFieldTest, ExchangesOrPrompts) {
    const PortCase& c = GetParam();
    auto d = driver();
    d.type_into(IDC_STATUS, "typed status");
    d.type_into(IDC_PORT, c.typed);
    const BOOL ok = m_dlg.UpdateData(TRUE);
    EXPECT_EQ(ok, c.prompted ? FALSE : TRUE);
    EXPECT_EQ(m_dlg.m_nPort, c.member);
    const auto& boxes = front_end().message_boxes();
    if (c.prompted) {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "Please enter an integer.");
        EXPECT_EQ(dialog().focus_id(), IDC_PORT);
        // The controls after the port field were not read.
        EXPECT_EQ(m_dlg.m_strStatus, "Enter a port number");
        // Writing back shows the number kept.
        m_dlg.UpdateData(FALSE);
        EXPECT_EQ(dialog().text(IDC_PORT), "5");
    } else {
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(m_dlg.m_strStatus, "typed status");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, PortFieldTest,
    ::testing::Values(PortCase{"digit", "7", 7, false}, PortCase{"blanks", " 12 ", 12, false},
                      PortCase{"tab_minus", "\t-3", -3, false}, PortCase{"plus", "+4", 4, false},
                      PortCase{"empty", "", 5, true}, PortCase{"letters", "abc", 5, true},
                      PortCase{"digits_then_letters", "12abc", 5, true},
                      PortCase{"beyond_int", "99999999999", 5, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShellTest, OkClosesOnlyWithAnInteger) {
    auto d = driver();
    d.type_into(IDC_PORT, "abc");
    d.click(IDOK);
    EXPECT_FALSE(dialog().ended());
    EXPECT_EQ(front_end().message_boxes().size(), 1u);
    d.type_into(IDC_PORT, "9");
    d.press(Key::enter); // the edit box has the focus: Enter presses the default button
    EXPECT_TRUE(dialog().ended());
    EXPECT_EQ(dialog().result(), IDOK);
    EXPECT_EQ(m_dlg.m_nPort, 9);
}

TEST_F(ShellTest, EscapeAndTheCloseBoxCloseEvenWithLettersInThePortField) {
    driver().type_into(IDC_PORT, "abc");
    driver().press(Key::escape);
    EXPECT_TRUE(dialog().ended());
    EXPECT_EQ(dialog().result(), IDCANCEL);
    EXPECT_TRUE(front_end().message_boxes().empty());

    CProbeDlg second;
    ASSERT_TRUE(second.Create(CProbeDlg::IDD));
    ui::headless::DialogDriver(*second.GetModel()).close_box();
    EXPECT_EQ(second.GetModel()->result(), IDCANCEL);
}

TEST_F(ShellTest, TabOrderIsTheTemplateOrder) {
    auto d = driver();
    const int expected[] = {IDC_OPEN_PORT, IDC_PORT,       IDC_STATUS, IDC_READ_BINARY,
                            IDC_BINARY,    IDC_READ_ASCII, IDC_ASCII,  IDOK};
    for (int id : expected) {
        d.press(Key::tab);
        EXPECT_EQ(d.focus_id(), id);
    }
}

TEST_F(ShellTest, TextTypedIntoTheStatusFieldStaysThroughExchanges) {
    auto d = driver();
    d.type_into(IDC_STATUS, "my note");
    d.press(Key::tab);
    EXPECT_TRUE(m_dlg.UpdateData(TRUE));
    EXPECT_EQ(m_dlg.m_strStatus, "my note");
    m_dlg.UpdateData(FALSE);
    EXPECT_EQ(dialog().text(IDC_STATUS), "my note");
}

TEST(ShellModalTest, InitInstanceRunsTheDialogModallyAndReturnsFalse) {
    ui::headless::Session session(&ZeltGUIResources());
    auto& front_end = session.front_end();
    std::optional<std::string> port_shown;
    front_end.push([&](ui::model::Dialog& dialog) {
        port_shown = dialog.text(IDC_PORT);
        return ui::model::InputEvent::text_edited(IDC_PORT, "x");
    });
    front_end.push(ui::model::InputEvent::click(IDOK)); // refused: prompt
    front_end.push(ui::model::InputEvent::key_press(Key::escape));
    EXPECT_EQ(theApp.InitInstance(), FALSE);
    EXPECT_EQ(port_shown, "5");
    EXPECT_EQ(front_end.opened_views(), std::vector<int>{IDD_PROBE_DIALOG});
    EXPECT_EQ(front_end.message_boxes().size(), 1u);
    EXPECT_EQ(front_end.pending_steps(), 0u);
    EXPECT_EQ(AfxGetApp(), &theApp);
}

} // namespace
