// Frames, controls, the icon bar and the too-small notice, drawn on stdscr.
#include "ui/tui/screen_painter.h"
#include "ui/model/window_styles.h"

#include <algorithm>

namespace ui::tui {

namespace {

constexpr const char* icon_glyph = "[*]";

void put(model::Point at, chtype c) {
    mvwaddch(stdscr, at.y, at.x, c);
}

// The first column of an edit box's text so that the caret stays inside the field.
std::size_t first_shown(const model::Control& edit, int width) {
    const auto columns = static_cast<std::size_t>(std::max(width, 1));
    return edit.caret >= columns ? edit.caret - columns + 1 : 0;
}

// Returns the caret's cell.
CursorSpot paint_edit(const model::Control& edit, model::Rect cells, const Palette& palette,
                      bool focused) {
    const std::string text = printable(edit.text);
    const std::size_t first = focused ? first_shown(edit, cells.width) : 0;
    for (int column = 0; column < cells.width; ++column) {
        const std::size_t index = first + static_cast<std::size_t>(column);
        const bool has_char = index < text.size();
        const bool selected =
            focused && index >= edit.selection_begin && index < edit.selection_end;
        attr_t attributes = focused ? palette.field_focused : palette.field;
        if (selected)
            attributes = palette.field_selected;
        chtype c = has_char ? static_cast<unsigned char>(text[index]) : ' ';
        if (!has_char && !focused && !palette.underline_shows)
            c = '_';
        put({cells.x + column, cells.y}, c | attributes);
    }
    const std::size_t caret = std::min(edit.caret, text.size());
    return {{cells.x + static_cast<int>(caret - first), cells.y}, true};
}

// Returns the cell of the label's first letter.
CursorSpot paint_button(const model::Control& button, model::Rect cells, const Palette& palette,
                        bool focused, bool enter_target) {
    const std::string label = button_label(button, enter_target);
    const int width = static_cast<int>(label.size());
    const int x = cells.x + std::max(0, (cells.width - width) / 2);
    attr_t attributes = enter_target ? palette.button_default : palette.button;
    if (focused)
        attributes = palette.focused | A_BOLD;
    if (!button.enabled())
        attributes = palette.disabled;
    paint_text({x, cells.y}, label, cells.right() - x, attributes);
    return {{x + 2, cells.y}, false};
}

void paint_static(const model::Control& control, model::Rect cells, const Palette& palette) {
    const std::string text = display_text(control);
    const int width = static_cast<int>(text.size());
    int x = cells.x;
    switch (control.style & model::style::SS_TYPEMASK) {
    case model::style::SS_CENTER:
        x += std::max(0, (cells.width - width) / 2);
        break;
    case model::style::SS_RIGHT:
        x += std::max(0, cells.width - width);
        break;
    default:
        break;
    }
    paint_text({x, cells.y}, text, cells.right() - x,
               control.enabled() ? palette.text : palette.disabled);
}

} // namespace

model::Rect close_box_cells(model::Size outer) {
    return {outer.width - 4, 0, 3, 1};
}

void paint_frame(model::Point origin, model::Size outer, const std::string& caption,
                 const Palette& palette, bool close_box) {
    const int right = origin.x + outer.width - 1;
    const int bottom = origin.y + outer.height - 1;
    for (int y = origin.y; y <= bottom; ++y)
        for (int x = origin.x; x <= right; ++x)
            put({x, y}, ' ' | palette.text);
    for (int x = origin.x + 1; x < right; ++x) {
        put({x, origin.y}, ACS_HLINE | palette.frame);
        put({x, bottom}, ACS_HLINE | palette.frame);
    }
    for (int y = origin.y + 1; y < bottom; ++y) {
        put({origin.x, y}, ACS_VLINE | palette.frame);
        put({right, y}, ACS_VLINE | palette.frame);
    }
    put({origin.x, origin.y}, ACS_ULCORNER | palette.frame);
    put({right, origin.y}, ACS_URCORNER | palette.frame);
    put({origin.x, bottom}, ACS_LLCORNER | palette.frame);
    put({right, bottom}, ACS_LRCORNER | palette.frame);

    const int close_width = close_box ? 4 : 0;
    const int room = outer.width - 4 - close_width;
    if (room > 0 && !caption.empty()) {
        const std::string shown = " " + caption.substr(0, static_cast<std::size_t>(room)) + " ";
        const int x =
            origin.x + 1 +
            std::max(0, (outer.width - 2 - close_width - static_cast<int>(shown.size())) / 2);
        paint_text({x, origin.y}, shown, static_cast<int>(shown.size()), palette.caption);
    }
    if (close_box && outer.width >= 6) {
        const model::Rect box = close_box_cells(outer);
        paint_text({origin.x + box.x, origin.y}, "[x]", box.width, palette.frame);
    }
}

void paint_separator(model::Point origin, int width, int y) {
    put({origin.x, y}, ACS_LTEE);
    for (int x = origin.x + 1; x < origin.x + width - 1; ++x)
        put({x, y}, ACS_HLINE);
    put({origin.x + width - 1, y}, ACS_RTEE);
}

void paint_text(model::Point at, const std::string& text, int width, attr_t attributes) {
    if (width <= 0)
        return;
    const std::string safe = printable(text);
    // Colour pairs travel in the attribute word.
    wattrset(stdscr, static_cast<int>(attributes));
    mvwaddnstr(stdscr, at.y, at.x, safe.c_str(), std::min(width, static_cast<int>(safe.size())));
    wattrset(stdscr, A_NORMAL);
}

std::optional<CursorSpot> paint_dialog(const model::Dialog& dialog, const CellLayout& layout,
                                       model::Point origin, const Palette& palette, bool active) {
    paint_frame(origin, layout.outer(), dialog.caption(), palette, dialog.has_system_menu());
    const model::Point client{origin.x + 1, origin.y + 1};
    const model::Control* focus = active ? dialog.focused() : nullptr;
    const int enter_target = dialog.enter_target_id();
    std::optional<CursorSpot> cursor;
    const auto& controls = dialog.controls();
    for (std::size_t i = 0; i < controls.size() && i < layout.controls.size(); ++i) {
        const model::Control& control = controls[i];
        if (!control.visible())
            continue;
        const model::Rect& local = layout.controls[i];
        const model::Rect cells{client.x + local.x, client.y + local.y, local.width, local.height};
        const bool focused = &control == focus;
        switch (control.kind) {
        case model::ControlKind::push_button: {
            const CursorSpot spot = paint_button(control, cells, palette, focused,
                                                 active && control.id == enter_target);
            if (focused)
                cursor = spot;
            break;
        }
        case model::ControlKind::edit: {
            const CursorSpot spot = paint_edit(control, cells, palette, focused);
            if (focused)
                cursor = spot;
            break;
        }
        case model::ControlKind::static_text:
            paint_static(control, cells, palette);
            break;
        case model::ControlKind::static_icon:
            paint_text({cells.x, cells.y}, icon_glyph, cells.width, palette.caption);
            break;
        case model::ControlKind::other:
            if (cells.height >= 2)
                paint_frame({cells.x, cells.y}, {cells.width, cells.height}, display_text(control),
                            palette, false);
            else
                paint_text({cells.x, cells.y}, display_text(control), cells.width, palette.text);
            break;
        }
    }
    return cursor;
}

model::Rect icon_bar_cells(const model::Dialog& dialog, model::Size terminal) {
    const int width = std::min(terminal.width, static_cast<int>(dialog.caption().size()) + 6);
    return {0, std::max(terminal.height - 1, 0), width, 1};
}

model::Rect paint_icon_bar(const model::Dialog& dialog, model::Size terminal,
                           const Palette& palette) {
    const model::Rect cells = icon_bar_cells(dialog, terminal);
    paint_text({cells.x, cells.y}, std::string(" ") + icon_glyph + " " + dialog.caption() + " ",
               cells.width, palette.focused);
    return cells;
}

void paint_too_small(model::Size needed, model::Size terminal, const Palette& palette) {
    const std::string notice = "Terminal too small: needs " + std::to_string(needed.width) + "x" +
                               std::to_string(needed.height) + ", has " +
                               std::to_string(terminal.width) + "x" +
                               std::to_string(terminal.height);
    paint_text({0, 0}, notice, terminal.width, palette.caption);
}

} // namespace ui::tui
