// Terminal layout of a dialog: dialog units to character cells (4 units a column, 8 a row),
// widened where a label needs it and nudged so that no two controls overlap; placement of the
// framed dialog, popups and message boxes in the terminal; hit tests. Pure arithmetic.
#pragma once

#include "ui/model/control.h"
#include "ui/model/geometry.h"

#include <optional>
#include <string>
#include <vector>

namespace ui::tui {

// One base unit is one cell: the average character is a column, the font height a row.
inline constexpr model::BaseUnits cell_base_units{1, 1};

// Columns between two controls on the same row.
inline constexpr int control_gap = 1;

struct CellLayout {
    model::Size client;                // cells inside the frame
    std::vector<model::Rect> controls; // one per control in template order, client-relative

    // The dialog with its one-cell frame on every side.
    model::Size outer() const { return {client.width + 2, client.height + 2}; }
};

// The text a button or static shows: '&' mnemonic marks removed unless SS_NOPREFIX.
std::string display_text(const model::Control& control);

// "[ Open Port ]" for a button; "< OK >" for the one Enter presses.
std::string button_label(const model::Control& control, bool enter_target);

// Columns a control needs for its content, whatever its template width.
int content_width(const model::Control& control);

// The control's cells before nudging: single-line controls take the row of their vertical
// centre; the width is the template width or the content width, whichever is larger.
model::Rect natural_cells(const model::Control& control);

// Lays controls out in cells. Controls are placed top to bottom, left to right; one that would
// overlap (or touch, on the same row) a placed control moves right past it. The client grows to
// hold everything with a free column on the right.
CellLayout lay_out(const std::vector<model::Control>& controls, model::Size dialog_units);

// The top-left cell that centres something of size outer in the terminal, moved by offset and
// kept on screen; nothing when it does not fit at all.
std::optional<model::Point> place_centred(model::Size outer, model::Size terminal,
                                          model::Point offset = {});

// The index of the visible control whose cells contain the client-relative point, or -1.
int control_at(const CellLayout& layout, const std::vector<model::Control>& controls,
               model::Point client_cell);

// Splits text into lines at '\n' (a preceding '\r' dropped) and wraps each to width columns
// at blanks where it can, hard where it cannot.
std::vector<std::string> wrap_lines(const std::string& text, int width);

// Replaces bytes a terminal would interpret (controls, escape, non-ASCII) with '?', and line
// ends with a blank, so that no text from a program or a device reaches the terminal as a
// command.
std::string printable(const std::string& text);

} // namespace ui::tui
