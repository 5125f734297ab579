// Rectangles and the dialog-unit arithmetic: 4 horizontal and 8 vertical dialog units to a base
// unit.
#pragma once

namespace ui::model {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Left, top, width and height; in dialog units in templates, in pixels or cells once mapped.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool contains(Point p) const { return p.x >= x && p.x < right() && p.y >= y && p.y < bottom(); }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The size of one base unit of a dialog font, in whatever the front end draws with.
// Desktop: pixels, x = average width of A-Z and a-z, y = font height.
struct BaseUnits {
    int x = 6;
    int y = 13;
    friend bool operator==(const BaseUnits&, const BaseUnits&) = default;
};

// value * numerator / denominator rounded half away from zero, as the Windows MulDiv.
int mul_div(int value, int numerator, int denominator);

// Dialog units to the front end's units: x * base.x / 4 and y * base.y / 8, each rounded.
int horizontal_to_pixels(int dialog_units, BaseUnits base);
int vertical_to_pixels(int dialog_units, BaseUnits base);
// The Windows rule for a control's rectangle: x, y, width and height each converted on its own.
Rect map_dialog_rect(const Rect& dialog_units, BaseUnits base);
// Converts the edges instead, so that controls that touch in dialog units still touch; the
// terminal lays out cells with it.
Rect to_pixels(const Rect& dialog_units, BaseUnits base);
Size to_pixels(const Size& dialog_units, BaseUnits base);

} // namespace ui::model
