// One control of a dialog: its kind, text, place, style, and the edit state the model owns.
#pragma once

#include "ui/model/dialog_template.h"
#include "ui/model/icon.h"

#include <cstddef>
#include <string>

namespace ui::model {

struct Control {
    ControlKind kind = ControlKind::other;
    int id = -1;
    std::string class_name;
    std::string text;
    Rect rect; // dialog units
    std::uint32_t style = 0;
    std::uint32_t ex_style = 0;
    const Icon* icon = nullptr; // SS_ICON: the loaded icon, or null when it is missing

    // Edit boxes: caret and selection as byte offsets into text, selection [begin, end).
    std::size_t caret = 0;
    std::size_t selection_begin = 0;
    std::size_t selection_end = 0;

    bool visible() const;
    bool enabled() const;
    bool tab_stop() const;
    bool is_button() const { return kind == ControlKind::push_button; }
    // BS_DEFPUSHBUTTON in the template.
    bool default_style() const;
    bool has_selection() const { return selection_begin < selection_end; }
    void select_all();
    // Puts the caret at the end and drops the selection.
    void collapse_to_end();
};

} // namespace ui::model
