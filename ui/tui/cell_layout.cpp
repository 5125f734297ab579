// Dialog units to cells, overlap removal, placement and hit tests.
#include "ui/tui/cell_layout.h"
#include "ui/model/menu.h"
#include "ui/model/window_styles.h"

#include <algorithm>
#include <numeric>

namespace ui::tui {

namespace {

constexpr int icon_glyph_width = 3;

bool single_line(const model::Control& c) {
    switch (c.kind) {
    case model::ControlKind::push_button:
    case model::ControlKind::static_text:
    case model::ControlKind::static_icon:
        return true;
    case model::ControlKind::edit:
        return (c.style & model::style::ES_MULTILINE) == 0;
    case model::ControlKind::other:
        return false;
    }
    return false;
}

bool touches(const model::Rect& a, const model::Rect& b) {
    // Same rows and closer than the gap counts as touching.
    const bool rows = a.y < b.bottom() && b.y < a.bottom();
    const bool columns = a.x < b.right() + control_gap && b.x < a.right() + control_gap;
    return rows && columns;
}

} // namespace

std::string display_text(const model::Control& c) {
    const bool no_prefix =
        c.kind == model::ControlKind::static_text && (c.style & model::style::SS_NOPREFIX) != 0;
    return no_prefix ? c.text : model::strip_mnemonic(c.text);
}

std::string button_label(const model::Control& c, bool enter_target) {
    const std::string text = display_text(c);
    return enter_target ? "< " + text + " >" : "[ " + text + " ]";
}

int content_width(const model::Control& c) {
    switch (c.kind) {
    case model::ControlKind::push_button:
        return static_cast<int>(button_label(c, false).size());
    case model::ControlKind::static_text:
        return static_cast<int>(display_text(c).size());
    case model::ControlKind::static_icon:
        return icon_glyph_width;
    case model::ControlKind::edit:
        // Room for the text it starts with and the caret after it.
        return c.text.empty() ? 1 : static_cast<int>(c.text.size()) + 1;
    case model::ControlKind::other:
        return 1;
    }
    return 1;
}

model::Rect natural_cells(const model::Control& c) {
    const model::Rect mapped = model::to_pixels(c.rect, cell_base_units);
    model::Rect cells = mapped;
    cells.width = std::max({mapped.width, content_width(c), 1});
    if (single_line(c)) {
        const int centre = c.rect.y + c.rect.height / 2;
        cells.y = centre >= 0 ? centre / 8 : -((7 - centre) / 8);
        cells.height = 1;
    } else {
        cells.height = std::max(mapped.height, 1);
    }
    cells.x = std::max(cells.x, 0);
    cells.y = std::max(cells.y, 0);
    return cells;
}

CellLayout lay_out(const std::vector<model::Control>& controls, model::Size dialog_units) {
    CellLayout layout;
    layout.client = model::to_pixels(dialog_units, cell_base_units);
    layout.controls.resize(controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i)
        layout.controls[i] = natural_cells(controls[i]);

    std::vector<std::size_t> order(controls.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const model::Rect& ra = layout.controls[a];
        const model::Rect& rb = layout.controls[b];
        return ra.y != rb.y ? ra.y < rb.y : ra.x < rb.x;
    });

    std::vector<std::size_t> placed;
    for (std::size_t index : order) {
        model::Rect& cells = layout.controls[index];
        if (!controls[index].visible())
            continue;
        // Each move goes strictly right, so this ends.
        for (bool moved = true; moved;) {
            moved = false;
            for (std::size_t other : placed) {
                const model::Rect& o = layout.controls[other];
                if (touches(cells, o)) {
                    cells.x = o.right() + control_gap;
                    moved = true;
                }
            }
        }
        placed.push_back(index);
        layout.client.width = std::max(layout.client.width, cells.right() + 1);
        layout.client.height = std::max(layout.client.height, cells.bottom());
    }
    return layout;
}

std::optional<model::Point> place_centred(model::Size outer, model::Size terminal,
                                          model::Point offset) {
    if (outer.width > terminal.width || outer.height > terminal.height)
        return std::nullopt;
    const int x = (terminal.width - outer.width) / 2 + offset.x;
    const int y = (terminal.height - outer.height) / 2 + offset.y;
    return model::Point{std::clamp(x, 0, terminal.width - outer.width),
                        std::clamp(y, 0, terminal.height - outer.height)};
}

int control_at(const CellLayout& layout, const std::vector<model::Control>& controls,
               model::Point client_cell) {
    for (std::size_t i = 0; i < controls.size() && i < layout.controls.size(); ++i)
        if (controls[i].visible() && layout.controls[i].contains(client_cell))
            return static_cast<int>(i);
    return -1;
}

std::vector<std::string> wrap_lines(const std::string& text, int width) {
    std::vector<std::string> lines;
    const std::size_t limit = static_cast<std::size_t>(std::max(width, 1));
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        while (line.size() > limit) {
            std::size_t cut = line.rfind(' ', limit);
            if (cut == std::string::npos || cut == 0)
                cut = limit;
            lines.push_back(line.substr(0, cut));
            line.erase(0, line[cut] == ' ' ? cut + 1 : cut);
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string printable(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        const auto byte = static_cast<unsigned char>(c);
        // A line end cannot show in a one-line field: it reads as a blank, as on the desktop.
        if (c == '\r' || c == '\n')
            c = ' ';
        else if (byte < 0x20 || byte >= 0x7F)
            c = '?';
    }
    return out;
}

} // namespace ui::tui
