// The terminal front end's views: opening and closing dialogs, drawing the stack, and input.
#include "ui/tui/terminal_front_end.h"

#include <algorithm>

namespace ui::tui {

namespace {

// Consecutive failed reads after which input counts as gone even without a hang-up.
constexpr int failed_reads_limit = 100;

model::Size larger(model::Size a, model::Size b) {
    return {std::max(a.width, b.width), std::max(a.height, b.height)};
}

} // namespace

TerminalFrontEnd::TerminalFrontEnd(std::unique_ptr<TerminalSession> session)
    : m_session(std::move(session)) {}

TerminalFrontEnd::~TerminalFrontEnd() = default;

model::BaseUnits TerminalFrontEnd::base_units(const model::FontSpec&) {
    return cell_base_units;
}

void TerminalFrontEnd::open_view(model::Dialog& dialog) {
    // The layout follows the texts the dialog starts with (after WM_INITDIALOG).
    m_views.push_back({&dialog, lay_out(dialog.controls(), dialog.size()), {}, {}});
    redraw();
}

void TerminalFrontEnd::close_view(model::Dialog& dialog) {
    std::erase_if(m_views, [&dialog](const View& view) { return view.dialog == &dialog; });
    redraw();
}

void TerminalFrontEnd::present(model::Dialog&) {
    // Synchronous: the screen shows the new state when this returns.
    redraw();
}

TerminalFrontEnd::View* TerminalFrontEnd::find_view(const model::Dialog& dialog) {
    for (auto& view : m_views)
        if (view.dialog == &dialog)
            return &view;
    return nullptr;
}

void TerminalFrontEnd::redraw() {
    const model::Size terminal = m_session->size();
    const Palette& palette = m_session->palette();
    werase(stdscr);

    bool fits = true;
    model::Size needed;
    for (auto& view : m_views) {
        if (view.dialog->iconic())
            continue;
        const model::Size outer = view.layout.outer();
        needed = larger(needed, outer);
        if (auto origin = place_centred(outer, terminal, view.offset))
            view.origin = *origin;
        else
            fits = false;
    }
    for (auto& overlay : m_overlays) {
        if (auto cells = overlay.place(terminal)) {
            overlay.cells = *cells;
            needed = larger(needed, {cells->width, cells->height});
        } else {
            fits = false;
        }
    }
    if (!fits) {
        paint_too_small(needed, terminal, palette);
        curs_set(0);
        wrefresh(stdscr);
        return;
    }

    std::optional<CursorSpot> cursor;
    for (std::size_t i = 0; i < m_views.size(); ++i) {
        const View& view = m_views[i];
        const bool active = i + 1 == m_views.size() && m_overlays.empty();
        if (view.dialog->iconic())
            paint_icon_bar(*view.dialog, terminal, palette);
        else if (auto spot = paint_dialog(*view.dialog, view.layout, view.origin, palette, active))
            cursor = spot;
    }
    for (auto& overlay : m_overlays)
        overlay.paint(overlay.cells);

    curs_set(cursor && cursor->visible ? 1 : 0);
    // The cursor rests on the focused control even where it is hidden.
    if (cursor && m_overlays.empty())
        wmove(stdscr, cursor->cell.y, cursor->cell.x);
    else
        wmove(stdscr, std::max(terminal.height - 1, 0), 0);
    wrefresh(stdscr);
}

TerminalFrontEnd::Input TerminalFrontEnd::next_input() {
    int failed_reads = 0;
    const KeyReader reader = [this](int timeout_ms) { return m_session->read_code(timeout_ms); };
    while (!m_input_closed) {
        const DecodedKey key = read_key(reader, -1);
        switch (key.kind) {
        case DecodedKey::Kind::event:
            return {Input::Kind::key, key.event, {}};
        case DecodedKey::Kind::resize:
            redraw();
            break;
        case DecodedKey::Kind::mouse: {
            Input input{Input::Kind::mouse, {}, {}};
            if (getmouse(&input.mouse) == OK)
                return input;
            break;
        }
        case DecodedKey::Kind::ignored:
            break;
        case DecodedKey::Kind::none:
            if (m_session->input_gone() || ++failed_reads >= failed_reads_limit)
                m_input_closed = true;
            continue;
        }
        failed_reads = 0;
    }
    return {};
}

std::optional<model::InputEvent> TerminalFrontEnd::dialog_mouse(View& view, const MEVENT& mouse) {
    const bool left = (mouse.bstate & (BUTTON1_PRESSED | BUTTON1_CLICKED)) != 0;
    const bool right = (mouse.bstate & (BUTTON3_PRESSED | BUTTON3_CLICKED)) != 0;
    const model::Point at{mouse.x, mouse.y};
    if (view.dialog->iconic()) {
        if (icon_bar_cells(*view.dialog, m_session->size()).contains(at) && (left || right))
            return model::InputEvent::open_system_menu();
        return std::nullopt;
    }
    const model::Size outer = view.layout.outer();
    const model::Point in_frame{at.x - view.origin.x, at.y - view.origin.y};
    if (!model::Rect{0, 0, outer.width, outer.height}.contains(in_frame))
        return std::nullopt;
    if (right)
        return model::InputEvent::open_system_menu();
    if (!left)
        return std::nullopt;
    if (view.dialog->has_system_menu() && close_box_cells(outer).contains(in_frame))
        return model::InputEvent::close();
    const int index =
        control_at(view.layout, view.dialog->controls(), {in_frame.x - 1, in_frame.y - 1});
    if (index < 0)
        return std::nullopt;
    return model::InputEvent::click(view.dialog->controls()[static_cast<std::size_t>(index)].id);
}

model::InputEvent TerminalFrontEnd::wait_input(model::Dialog& dialog) {
    for (;;) {
        const Input input = next_input();
        switch (input.kind) {
        case Input::Kind::closed:
            return model::InputEvent::input_closed();
        case Input::Kind::key:
            return input.event;
        case Input::Kind::mouse:
            if (View* view = find_view(dialog))
                if (auto event = dialog_mouse(*view, input.mouse))
                    return *event;
            break;
        }
    }
}

} // namespace ui::tui

namespace ui {

std::unique_ptr<FrontEnd> make_terminal_front_end() {
    auto session = tui::TerminalSession::open();
    if (!session)
        return nullptr;
    return std::make_unique<tui::TerminalFrontEnd>(std::move(session));
}

bool terminal_front_end_built() {
    return true;
}

} // namespace ui
