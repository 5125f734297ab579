// Dialog-unit arithmetic.
#include "ui/model/geometry.h"

#include <cstdint>
#include <cstdlib>

namespace ui::model {

int mul_div(int value, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    const std::int64_t half = std::llabs(denominator) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t magnitude = (std::llabs(product) + half) / std::llabs(denominator);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

int horizontal_to_pixels(int dialog_units, BaseUnits base) {
    return mul_div(dialog_units, base.x, 4);
}

int vertical_to_pixels(int dialog_units, BaseUnits base) {
    return mul_div(dialog_units, base.y, 8);
}

Rect map_dialog_rect(const Rect& r, BaseUnits base) {
    return {horizontal_to_pixels(r.x, base), vertical_to_pixels(r.y, base),
            horizontal_to_pixels(r.width, base), vertical_to_pixels(r.height, base)};
}

Rect to_pixels(const Rect& r, BaseUnits base) {
    // Map the edges, not the sizes, so that neighbouring controls stay adjacent.
    const int left = horizontal_to_pixels(r.x, base);
    const int top = vertical_to_pixels(r.y, base);
    const int right = horizontal_to_pixels(r.right(), base);
    const int bottom = vertical_to_pixels(r.bottom(), base);
    return {left, top, right - left, bottom - top};
}

Size to_pixels(const Size& s, BaseUnits base) {
    return {horizontal_to_pixels(s.width, base), vertical_to_pixels(s.height, base)};
}

} // namespace ui::model
