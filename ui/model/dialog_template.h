// A dialog template as data: what the resource compiler produces and what a dialog is built from.
#pragma once

#include "ui/model/geometry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ui::model {

enum class ControlKind {
    push_button, // "BUTTON", BS_PUSHBUTTON or BS_DEFPUSHBUTTON
    edit,        // "EDIT"
    static_text, // "STATIC" with SS_LEFT, SS_CENTER or SS_RIGHT
    static_icon, // "STATIC" with SS_ICON; the text names the icon resource
    other,       // any other class: shown as a frame, never focused
};

struct FontSpec {
    std::string face; // e.g. "MS Sans Serif"; front ends substitute a free sans font
    int point_size = 8;
    int weight = 0; // 0 = default
    bool italic = false;
    int charset = 1;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

struct ControlTemplate {
    std::string class_name;  // "BUTTON", "EDIT", "STATIC", ...
    int id = -1;             // IDC_STATIC is -1
    std::string text;        // caption; for SS_ICON the icon's resource id in decimal
    Rect rect;               // dialog units
    std::uint32_t style = 0; // includes WS_CHILD | WS_VISIBLE
    std::uint32_t ex_style = 0;
    friend bool operator==(const ControlTemplate&, const ControlTemplate&) = default;
};

struct DialogTemplate {
    int id = 0;
    bool extended = false; // DIALOGEX rather than DIALOG
    Size size;             // client size in dialog units
    Point position;        // dialog units; ignored when centred by the front end
    std::string caption;
    FontSpec font;
    std::uint32_t style = 0;
    std::uint32_t ex_style = 0;
    std::vector<ControlTemplate> controls; // template order = tab order
    friend bool operator==(const DialogTemplate&, const DialogTemplate&) = default;
};

// The kind a control of this class and style is; class names compare without case.
ControlKind control_kind(const std::string& class_name, std::uint32_t style);

} // namespace ui::model
