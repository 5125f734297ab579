// Which front end starts, from COMLINK_UI, the display variables and what the build has.
#include "ui/front_end_choice.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

struct ChoiceCase {
    const char* name;
    StartEnvironment environment;
    std::optional<FrontEndKind> kind;
    bool forced;
};

class FrontEndChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(FrontEndChoiceTest, Chooses) {
    const auto choice = choose_front_end(GetParam().environment);
    EXPECT_EQ(choice.kind, GetParam().kind);
    EXPECT_EQ(choice.forced, GetParam().forced);
    EXPECT_EQ(choice.error.empty(), GetParam().kind.has_value());
}

using K = FrontEndKind;
INSTANTIATE_TEST_SUITE_P(
    Cases, FrontEndChoiceTest,
    ::testing::Values(
        ChoiceCase{"x11_display", {{}, ":0", {}, true}, K::desktop, false},
        ChoiceCase{"wayland_display", {{}, {}, "wayland-0", true}, K::desktop, false},
        ChoiceCase{"display_but_no_desktop_build", {{}, ":0", {}, false}, K::terminal, false},
        ChoiceCase{"no_display", {{}, {}, {}, true}, K::terminal, false},
        ChoiceCase{"empty_display", {{}, "", "", true}, K::terminal, false},
        ChoiceCase{"forced_terminal", {"terminal", ":0", {}, true}, K::terminal, true},
        ChoiceCase{"forced_desktop", {"desktop", {}, {}, false}, K::desktop, true},
        ChoiceCase{"forced_headless", {"headless", ":0", {}, true}, K::headless, true},
        ChoiceCase{"empty_override_ignored", {"", {}, {}, true}, K::terminal, false},
        ChoiceCase{"unknown_override", {"curses", ":0", {}, true}, std::nullopt, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FrontEndMakeTest, HeadlessAlwaysRunsAndAnUnknownNameSaysWhy) {
    std::string why;
    auto headless = make_front_end(choose_front_end({"headless", {}, {}, false}), why);
    ASSERT_NE(headless, nullptr);
    EXPECT_STREQ(headless->name(), "headless");
    EXPECT_EQ(make_front_end(choose_front_end({"nope", {}, {}, false}), why), nullptr);
    EXPECT_NE(why.find("COMLINK_UI=nope"), std::string::npos);
}

} // namespace
} // namespace ui
