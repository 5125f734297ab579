// Data exchange: the int field's accepted forms, the prompt and focus on failure, and the
// controls after a failing one left unread.
#include "test_dialog_fixture.h"
#include "test_dialogs.h"
#include "ui/headless/session.h"

#include <gtest/gtest.h>

#include <optional>

namespace ui::test {
namespace {

struct IntFieldCase {
    const char* name;
    const char* text;
    std::optional<int> value;
};

class IntFieldTest : public ::testing::TestWithParam<IntFieldCase> {};

TEST_P(IntFieldTest, Parses) {
    EXPECT_EQ(mfc::parse_int_field(GetParam().text), GetParam().value) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntFieldTest,
    ::testing::Values(IntFieldCase{"plain", "7", 7}, IntFieldCase{"blanks_around", " 12 ", 12},
                      IntFieldCase{"tab_and_minus", "\t-3", -3}, IntFieldCase{"plus", "+4", 4},
                      IntFieldCase{"empty", "", std::nullopt},
                      IntFieldCase{"blank_only", "  ", std::nullopt},
                      IntFieldCase{"sign_only", "-", std::nullopt},
                      IntFieldCase{"letters", "abc", std::nullopt},
                      IntFieldCase{"trailing_letters", "12abc", std::nullopt},
                      IntFieldCase{"inner_blank", "1 2", std::nullopt},
                      IntFieldCase{"blank_after_sign", "- 3", std::nullopt},
                      IntFieldCase{"int_max", "2147483647", 2147483647},
                      IntFieldCase{"int_min", "-2147483648", -2147483647 - 1},
                      IntFieldCase{"above_int_max", "2147483648", std::nullopt},
                      IntFieldCase{"far_too_large", "99999999999", std::nullopt},
                      IntFieldCase{"newline", "5\n", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

class ExchangeTest : public TestDialogTest {};

TEST_F(ExchangeTest, InitialisationWritesTheMembersOut) {
    EXPECT_EQ(dialog().text(IDC_NAME), "first");
    EXPECT_EQ(dialog().text(IDC_NUMBER), "7");
    EXPECT_EQ(dialog().text(IDC_NOTE), "note");
}

TEST_F(ExchangeTest, ReadsEveryControlWhenAllAreValid) {
    headless::DialogDriver d(dialog());
    d.type_into(IDC_NAME, "second");
    d.type_into(IDC_NUMBER, " -42 ");
    d.type_into(IDC_NOTE, "typed");
    EXPECT_TRUE(m_dlg.UpdateData(TRUE));
    EXPECT_EQ(m_dlg.m_strName, "second");
    EXPECT_EQ(m_dlg.m_nNumber, -42);
    EXPECT_EQ(m_dlg.m_strNote, "typed");
    EXPECT_TRUE(m_session.front_end().message_boxes().empty());
}

TEST_F(ExchangeTest, ABadNumberPromptsFocusesAndStopsTheExchange) {
    headless::DialogDriver d(dialog());
    d.type_into(IDC_NAME, "second");
    d.type_into(IDC_NUMBER, "99999999999");
    d.type_into(IDC_NOTE, "typed");
    EXPECT_FALSE(m_dlg.UpdateData(TRUE));
    EXPECT_EQ(m_dlg.m_strName, "second"); // before the failing control
    EXPECT_EQ(m_dlg.m_nNumber, 7);        // unchanged
    EXPECT_EQ(m_dlg.m_strNote, "note");   // never read
    ASSERT_EQ(m_session.front_end().message_boxes().size(), 1u);
    EXPECT_EQ(m_session.front_end().message_boxes()[0].text, "Please enter an integer.");
    EXPECT_EQ(m_session.front_end().message_boxes()[0].owner_template_id, IDD_TEST);
    EXPECT_EQ(dialog().focus_id(), IDC_NUMBER);
    const auto* number = dialog().find(IDC_NUMBER);
    EXPECT_EQ(number->selection_end - number->selection_begin, number->text.size());
}

TEST_F(ExchangeTest, OkClosesOnlyWithAValidNumber) {
    headless::DialogDriver d(dialog());
    d.type_into(IDC_NUMBER, "12abc");
    d.click(IDOK);
    EXPECT_FALSE(dialog().ended());
    d.type_into(IDC_NUMBER, "12");
    d.click(IDOK);
    EXPECT_TRUE(dialog().ended());
    EXPECT_EQ(dialog().result(), IDOK);
    EXPECT_EQ(m_dlg.m_nNumber, 12);
    EXPECT_EQ(m_session.front_end().message_boxes().size(), 1u);
}

TEST_F(ExchangeTest, WritingOutUsesPercentD) {
    m_dlg.m_nNumber = -2147483647 - 1;
    EXPECT_TRUE(m_dlg.UpdateData(FALSE));
    EXPECT_EQ(dialog().text(IDC_NUMBER), "-2147483648");
}

} // namespace
} // namespace ui::test
