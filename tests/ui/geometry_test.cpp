// Dialog units to pixels: the Windows rounding, and the two ways of mapping a rectangle.
#include "ui/model/geometry.h"

#include <gtest/gtest.h>

namespace {

using ui::model::BaseUnits;
using ui::model::Rect;

TEST(Geometry, MulDivRoundsHalvesAwayFromZero) {
    EXPECT_EQ(ui::model::mul_div(7, 6, 4), 11);   // 10.5
    EXPECT_EQ(ui::model::mul_div(-7, 6, 4), -11); // -10.5
    EXPECT_EQ(ui::model::mul_div(38, 13, 8), 62); // 61.75
    EXPECT_EQ(ui::model::mul_div(1, 1, 0), -1);
}

TEST(Geometry, WindowsRuleConvertsEachFieldOnItsOwn) {
    // The port field at 6 x 13 base units: 10.5, 61.75, 31.5, 22.75.
    EXPECT_EQ(ui::model::map_dialog_rect(Rect{7, 38, 21, 14}, BaseUnits{6, 13}),
              (Rect{11, 62, 32, 23}));
}

TEST(Geometry, EdgeMappingKeepsTouchingControlsTouching) {
    const Rect left = ui::model::to_pixels(Rect{7, 38, 21, 14}, BaseUnits{6, 13});
    const Rect right = ui::model::to_pixels(Rect{28, 38, 10, 14}, BaseUnits{6, 13});
    EXPECT_EQ(left.right(), right.x);
}

} // namespace
