// The terminal front end's popups: message boxes, the system menu, and moving a dialog.
#include "ui/tui/terminal_front_end.h"
#include "ui/model/menu.h"

#include <algorithm>
#include <cctype>

namespace ui::tui {

namespace {

using model::Key;

constexpr const char* ok_label = "< OK >";
constexpr int ok_label_width = 6;
constexpr int message_min_width = 12;

bool dismisses_menu(const model::InputEvent& e) {
    const bool alt_space = e.key == Key::space && (e.modifiers & model::modifier::alt) != 0;
    return e.key == Key::escape || e.key == Key::f10 || alt_space;
}

// The menu's selectable rows: enabled items that are not separators.
bool selectable(const model::MenuItem& item) {
    return !item.separator && item.enabled;
}

int step_selection(const std::vector<model::MenuItem>& items, int from, int step) {
    const int count = static_cast<int>(items.size());
    int i = from;
    for (int tries = 0; tries < count; ++tries) {
        i = ((i + step) % count + count) % count;
        if (selectable(items[static_cast<std::size_t>(i)]))
            return i;
    }
    return from;
}

int mnemonic_match(const std::vector<model::MenuItem>& items, char typed) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        const int at = model::mnemonic_index(items[i].text);
        if (at < 0 || !selectable(items[i]))
            continue;
        const std::string label = model::strip_mnemonic(items[i].text);
        if (std::tolower(static_cast<unsigned char>(label[static_cast<std::size_t>(at)])) ==
            std::tolower(static_cast<unsigned char>(typed)))
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

int TerminalFrontEnd::message_box(model::Dialog* owner, const std::string& text,
                                  const std::string& caption, unsigned) {
    constexpr int result_ok = model::msg::dialog_ok;
    if (m_input_closed)
        return result_ok;
    const View* owner_view = owner != nullptr ? find_view(*owner) : nullptr;
    auto lines_for = [text](model::Size terminal) {
        return wrap_lines(text, std::max(terminal.width - 6, 1));
    };
    Overlay box;
    box.place = [owner_view, lines_for,
                 caption](model::Size terminal) -> std::optional<model::Rect> {
        const auto lines = lines_for(terminal);
        int width = std::max(message_min_width, static_cast<int>(caption.size()) + 6);
        for (const auto& line : lines)
            width = std::max(width, static_cast<int>(line.size()) + 4);
        const model::Size size{width, static_cast<int>(lines.size()) + 4};
        if (size.width > terminal.width || size.height > terminal.height)
            return std::nullopt;
        // Centred over the owner while the owner is on screen, else in the terminal.
        model::Point centre{terminal.width / 2, terminal.height / 2};
        if (owner_view != nullptr && !owner_view->dialog->iconic()) {
            const model::Size outer = owner_view->layout.outer();
            centre = {owner_view->origin.x + outer.width / 2,
                      owner_view->origin.y + outer.height / 2};
        }
        return model::Rect{std::clamp(centre.x - size.width / 2, 0, terminal.width - size.width),
                           std::clamp(centre.y - size.height / 2, 0, terminal.height - size.height),
                           size.width, size.height};
    };
    box.paint = [this, lines_for, caption](model::Rect cells) {
        const Palette& palette = m_session->palette();
        paint_frame({cells.x, cells.y}, {cells.width, cells.height}, caption, palette, false);
        const auto lines = lines_for(m_session->size());
        for (std::size_t i = 0; i < lines.size(); ++i)
            paint_text({cells.x + 2, cells.y + 1 + static_cast<int>(i)}, lines[i], cells.width - 4,
                       palette.text);
        paint_text({cells.x + (cells.width - ok_label_width) / 2, cells.bottom() - 2}, ok_label,
                   ok_label_width, palette.focused | A_BOLD);
    };
    m_overlays.push_back(std::move(box));
    redraw();

    for (bool done = false; !done;) {
        const Input input = next_input();
        switch (input.kind) {
        case Input::Kind::closed:
            done = true;
            break;
        case Input::Kind::key: {
            const Key key = input.event.key;
            done = key == Key::enter || key == Key::space || key == Key::escape ||
                   (key == Key::character && std::tolower(input.event.character) == 'o');
            break;
        }
        case Input::Kind::mouse: {
            const model::Rect& cells = m_overlays.back().cells;
            const model::Rect button{cells.x + (cells.width - ok_label_width) / 2,
                                     cells.bottom() - 2, ok_label_width, 1};
            done = button.contains({input.mouse.x, input.mouse.y});
            break;
        }
        }
    }
    m_overlays.pop_back();
    redraw();
    return result_ok;
}

std::optional<model::Rect> TerminalFrontEnd::place_menu(const View& view, model::Size menu,
                                                        model::Size terminal) const {
    if (menu.width > terminal.width || menu.height > terminal.height)
        return std::nullopt;
    // Below the frame's top-left corner; above the icon bar of a minimised dialog.
    model::Point at{view.origin.x + 1, view.origin.y + 1};
    if (view.dialog->iconic())
        at = {0, icon_bar_cells(*view.dialog, terminal).y - menu.height};
    return model::Rect{std::clamp(at.x, 0, terminal.width - menu.width),
                       std::clamp(at.y, 0, terminal.height - menu.height), menu.width, menu.height};
}

unsigned TerminalFrontEnd::track_system_menu(model::Dialog& dialog) {
    View* view = find_view(dialog);
    if (m_input_closed || view == nullptr)
        return 0;
    const std::vector<model::MenuItem> items = dialog.system_menu().items();
    if (items.empty())
        return 0;
    int width = 0;
    for (const auto& item : items)
        width = std::max(width, static_cast<int>(model::strip_mnemonic(item.text).size()));
    const model::Size size{width + 4, static_cast<int>(items.size()) + 2};
    int selected = step_selection(items, -1, 1);

    Overlay menu;
    menu.place = [this, view, size](model::Size terminal) {
        return place_menu(*view, size, terminal);
    };
    menu.paint = [this, &items, &selected](model::Rect cells) {
        const Palette& palette = m_session->palette();
        paint_frame({cells.x, cells.y}, {cells.width, cells.height}, "", palette, false);
        for (std::size_t i = 0; i < items.size(); ++i) {
            const model::MenuItem& item = items[i];
            const int y = cells.y + 1 + static_cast<int>(i);
            if (item.separator) {
                paint_separator({cells.x, cells.y}, cells.width, y);
                continue;
            }
            attr_t attributes = item.enabled ? palette.text : palette.disabled;
            if (static_cast<int>(i) == selected)
                attributes = palette.focused;
            const std::string label = " " + model::strip_mnemonic(item.text);
            paint_text({cells.x + 1, y}, label + std::string(cells.width - 2 - label.size(), ' '),
                       cells.width - 2, attributes);
            const int at = model::mnemonic_index(item.text);
            if (at >= 0)
                paint_text({cells.x + 2 + at, y}, label.substr(static_cast<std::size_t>(at) + 1, 1),
                           1, attributes | A_UNDERLINE);
        }
    };
    m_overlays.push_back(std::move(menu));
    redraw();

    unsigned command = 0;
    for (bool done = false; !done;) {
        const Input input = next_input();
        int chosen = -1;
        if (input.kind == Input::Kind::closed)
            break;
        if (input.kind == Input::Kind::mouse) {
            const model::Rect& cells = m_overlays.back().cells;
            const int row = input.mouse.y - cells.y - 1;
            if (!cells.contains({input.mouse.x, input.mouse.y}))
                done = true;
            else if (row >= 0 && row < static_cast<int>(items.size()) &&
                     selectable(items[static_cast<std::size_t>(row)]))
                chosen = row;
        } else if (dismisses_menu(input.event)) {
            done = true;
        } else {
            switch (input.event.key) {
            case Key::up:
            case Key::down:
                selected = step_selection(items, selected, input.event.key == Key::up ? -1 : 1);
                redraw();
                break;
            case Key::enter:
            case Key::space:
                chosen = selected;
                break;
            case Key::character:
                chosen = mnemonic_match(items, input.event.character);
                break;
            case Key::tab:
            case Key::escape:
            case Key::backspace:
            case Key::delete_forward:
            case Key::left:
            case Key::right:
            case Key::home:
            case Key::end:
            case Key::f10:
                break;
            }
        }
        if (chosen >= 0 && selectable(items[static_cast<std::size_t>(chosen)])) {
            command = items[static_cast<std::size_t>(chosen)].command;
            done = true;
        }
    }
    m_overlays.pop_back();
    redraw();
    if (command == model::msg::SC_MOVE)
        run_move(*view);
    return command;
}

void TerminalFrontEnd::run_move(View& view) {
    const model::Point start = view.offset;
    for (;;) {
        const Input input = next_input();
        if (input.kind == Input::Kind::closed)
            return;
        if (input.kind != Input::Kind::key)
            continue;
        model::Point step;
        switch (input.event.key) {
        case Key::left:
            step = {-1, 0};
            break;
        case Key::right:
            step = {1, 0};
            break;
        case Key::up:
            step = {0, -1};
            break;
        case Key::down:
            step = {0, 1};
            break;
        case Key::enter:
        case Key::space:
            return;
        case Key::escape:
            view.offset = start;
            redraw();
            return;
        case Key::character:
        case Key::tab:
        case Key::backspace:
        case Key::delete_forward:
        case Key::home:
        case Key::end:
        case Key::f10:
            continue;
        }
        // A step that the screen edge stops is not taken, so the offset never runs away.
        const model::Point before = view.origin;
        view.offset = {view.offset.x + step.x, view.offset.y + step.y};
        redraw();
        if (view.origin == before)
            view.offset = {view.offset.x - step.x, view.offset.y - step.y};
    }
}

} // namespace ui::tui
