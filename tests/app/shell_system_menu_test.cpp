// The system menu: the About entry after a separator, the commands that open the About box,
// and the menu without string 101.
#include "AboutDlg.h"
#include "shell_fixture.h"

namespace {

using ui::model::InputEvent;
using ui::model::MenuItem;

TEST_F(ShellTest, SystemMenuEndsWithASeparatorAndTheAboutEntry) {
    const auto& items = dialog().system_menu().items();
    ASSERT_GE(items.size(), 2u);
    EXPECT_TRUE(items[items.size() - 2].separator);
    EXPECT_EQ(items.back(), (MenuItem{false, IDM_ABOUTBOX, "&About Zelt GUI...", true}));
    // The standard entries come first.
    EXPECT_NE(dialog().system_menu().find(SC_CLOSE), nullptr);
    EXPECT_NE(dialog().system_menu().find(SC_MOVE), nullptr);
}

class AboutCommandTest : public ShellTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(AboutCommandTest, OpensTheAboutBox) {
    std::string caption;
    front_end().push([&](ui::model::Dialog& about) {
        caption = about.caption();
        return InputEvent::key_press(ui::model::Key::enter);
    });
    driver().system_command(GetParam());
    EXPECT_EQ(front_end().opened_views(), std::vector<int>{IDD_ABOUTBOX});
    EXPECT_EQ(caption, "About Zelt GUI");
    EXPECT_FALSE(dialog().ended());
}

INSTANTIATE_TEST_SUITE_P(LowBitsIgnored, AboutCommandTest,
                         ::testing::Values(0x0010u, 0x0011u, 0x0017u, 0x001Fu));

TEST_F(ShellTest, OtherSystemCommandsDoNotOpenTheAboutBox) {
    for (unsigned command : {0x0020u, 0x000Fu, SC_MOVE}) {
        driver().system_command(command);
        EXPECT_TRUE(front_end().opened_views().empty()) << command;
    }
    driver().system_command(SC_CLOSE);
    EXPECT_TRUE(dialog().ended());
    EXPECT_EQ(dialog().result(), IDCANCEL);
}

TEST_F(ShellTest, AltSpaceOpensTheMenuAndTheChosenEntryRuns) {
    front_end().choose_from_system_menu(IDM_ABOUTBOX);
    driver().press(ui::model::Key::space, ui::model::modifier::alt);
    ASSERT_EQ(front_end().system_menus_shown().size(), 1u);
    EXPECT_EQ(front_end().system_menus_shown()[0].back().text, "&About Zelt GUI...");
    EXPECT_EQ(front_end().opened_views(), std::vector<int>{IDD_ABOUTBOX});
}

TEST(ShellMenuStringTest, NoSeparatorWhenStringIsEmptyOrMissing) {
    ui::headless::Session session(&ZeltGUIResources());
    for (auto text : {std::optional<std::string>(""), std::optional<std::string>()}) {
        ui::res::install_string_lookup([text](int) { return text; });
        CProbeDlg dlg;
        ASSERT_TRUE(dlg.Create(CProbeDlg::IDD));
        const auto& items = dlg.GetModel()->system_menu().items();
        ASSERT_FALSE(items.empty());
        EXPECT_EQ(items.back().command, SC_CLOSE);
        EXPECT_EQ(dlg.GetModel()->system_menu().find(IDM_ABOUTBOX), nullptr);
    }
    ui::res::install_string_lookup({});
}

TEST(ShellAboutTest, TheAboutBoxShowsItsTextsAndIconAndClosesWithOk) {
    ui::headless::Session session(&ZeltGUIResources());
    CAboutDlg about;
    ASSERT_TRUE(about.Create(CAboutDlg::IDD));
    auto& model = *about.GetModel();
    EXPECT_EQ(model.focus_id(), IDOK);
    ASSERT_EQ(model.controls().size(), 4u);
    ASSERT_NE(model.controls()[0].icon, nullptr);
    EXPECT_EQ(model.controls()[0].icon->resource_id, IDR_MAINFRAME);
    EXPECT_EQ(model.controls()[1].text, "Zelt GUI Version 1.0");
    ui::headless::DialogDriver(model).press(ui::model::Key::enter);
    EXPECT_EQ(model.result(), IDOK);
}

} // namespace
