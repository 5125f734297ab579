// The minimised dialog: the icon centred with the +1 before halving, and the icons set.
#include "shell_fixture.h"

namespace {

TEST_F(ShellTest, MinimisedTheIconIsDrawnInTheMiddle) {
    // One pixel per dialog unit across and down: the client area is 161 x 106, so the +1
    // makes a difference across: (161 - 32 + 1) / 2 = 65, not 64.
    front_end().set_base_units({4, 8});
    driver().system_command(SC_MINIMIZE);
    EXPECT_TRUE(m_dlg.IsIconic());
    const auto* screen = front_end().last_screen();
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->iconic);
    ASSERT_EQ(screen->icons.size(), 1u);
    EXPECT_EQ(screen->icons[0].position, (ui::model::Point{65, 37}));
    EXPECT_EQ(screen->icons[0].icon, dialog().big_icon());

    driver().system_command(SC_RESTORE);
    EXPECT_FALSE(m_dlg.IsIconic());
    EXPECT_TRUE(front_end().last_screen()->icons.empty());
}

TEST_F(ShellTest, TheIconIsTheLargeAndSmallIconAndTheDragIcon) {
    ASSERT_NE(dialog().big_icon(), nullptr);
    EXPECT_EQ(dialog().big_icon()->resource_id, IDR_MAINFRAME);
    EXPECT_EQ(dialog().small_icon(), dialog().big_icon());
    EXPECT_EQ(m_dlg.SendMessage(WM_QUERYDRAGICON),
              reinterpret_cast<LRESULT>(ui::mfc::to_hicon(dialog().big_icon())));
}

TEST_F(ShellTest, UpdateWindowShowsNewTextsAtOnce) {
    const int before = front_end().present_count();
    m_dlg.m_strStatus = "Testing...";
    m_dlg.UpdateData(FALSE);
    m_dlg.UpdateWindow();
    ASSERT_EQ(front_end().present_count(), before + 1);
    EXPECT_EQ(front_end().last_screen()->text(IDC_STATUS), "Testing...");
    m_dlg.UpdateWindow(); // nothing changed: no paint
    EXPECT_EQ(front_end().present_count(), before + 1);
}

} // namespace
