// CString formatting, string-table loading and comparisons.
#include "ui/headless/session.h"
#include "ui/mfc.h"

#include <gtest/gtest.h>

namespace {

TEST(CStringTest, FormatTakesCStringsCharPointersAndNumbers) {
    CString name = "COM";
    char buffer[8] = "T99";
    CString s;
    s.Format("%s%d:%s %.1f %%", name, 5, buffer, 77.04);
    EXPECT_EQ(s, "COM5:T99 77.0 %");
    s.Format(" ");
    EXPECT_EQ(s, " ");
    s.Format("%s", "100%"); // a percent sign in an argument stays as it is
    EXPECT_EQ(s, "100%");
}

TEST(CStringTest, FormatKeepsLongOutputWhole) {
    const std::string long_text(5000, 'x');
    CString s;
    s.Format("[%s]", long_text.c_str());
    EXPECT_EQ(s.GetLength(), 5002);
}

TEST(CStringTest, LoadStringUsesTheModuleOrTheOverride) {
    ui::res::Module module;
    module.strings.push_back({101, "&About..."});
    ui::headless::Session session(&module);
    CString s = "unchanged";
    EXPECT_FALSE(s.LoadString(999));
    EXPECT_EQ(s, "unchanged");
    EXPECT_TRUE(s.LoadString(101));
    EXPECT_EQ(s, "&About...");
    ui::res::install_string_lookup([](int) { return std::optional<std::string>(""); });
    EXPECT_TRUE(s.LoadString(101));
    EXPECT_TRUE(s.IsEmpty());
    ui::res::install_string_lookup({});
}

TEST(CStringTest, ComparesAndConverts) {
    CString a = "abc";
    const char* p = a;
    EXPECT_STREQ(p, "abc");
    EXPECT_TRUE(a == "abc");
    EXPECT_TRUE(a != CString("abd"));
    EXPECT_EQ(a + "d", "abcd");
    CString empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_STREQ(static_cast<LPCTSTR>(empty), "");
}

} // namespace
