// Drawing on the curses screen: framed boxes, a dialog with its controls, the one-line icon bar
// of a minimised dialog and the notice shown when the terminal is too small.
#pragma once

#include "ui/model/dialog.h"
#include "ui/tui/cell_layout.h"
#include "ui/tui/terminal_session.h"

#include <optional>
#include <string>

namespace ui::tui {

// Where the terminal cursor goes and whether it shows (it shows in an edit box).
struct CursorSpot {
    model::Point cell;
    bool visible = false;
};

// The cells of the frame's close box "[x]", relative to the frame's top-left corner.
model::Rect close_box_cells(model::Size outer);

// A frame of outer size at origin with its inside blanked and the caption in the top line; with
// a close box when close_box is set.
void paint_frame(model::Point origin, model::Size outer, const std::string& caption,
                 const Palette& palette, bool close_box);

// A horizontal separator across a frame at row y, joined to its sides.
void paint_separator(model::Point origin, int width, int y);

// Text clipped to width columns, made safe for the terminal.
void paint_text(model::Point at, const std::string& text, int width, attr_t attributes);

// The dialog framed at origin. active: it has the input (focus and Enter target shown).
// Returns where the cursor belongs when active.
std::optional<CursorSpot> paint_dialog(const model::Dialog& dialog, const CellLayout& layout,
                                       model::Point origin, const Palette& palette, bool active);

// The minimised dialog: one line at the bottom left. Returns the cells it takes.
model::Rect paint_icon_bar(const model::Dialog& dialog, model::Size terminal,
                           const Palette& palette);
model::Rect icon_bar_cells(const model::Dialog& dialog, model::Size terminal);

// One line saying how much room is needed.
void paint_too_small(model::Size needed, model::Size terminal, const Palette& palette);

} // namespace ui::tui
