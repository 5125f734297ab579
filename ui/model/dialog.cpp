// Dialog construction, focus, messages and their default handling, painting and the system menu.
#include "ui/model/dialog.h"
#include "ui/frontend.h"
#include "ui/model/window_styles.h"

#include <cstdlib>
#include <string>

namespace ui::model {

namespace {

int icon_id_of(const std::string& text) {
    // The resource compiler stores an icon control's resource as its decimal id.
    char* end = nullptr;
    const long id = std::strtol(text.c_str(), &end, 10);
    return (end != text.c_str() && *end == '\0') ? static_cast<int>(id) : 0;
}

} // namespace

Dialog::Dialog(const DialogTemplate& t, const IconLookup& icons)
    : m_template_id(t.id), m_caption(t.caption), m_size(t.size), m_font(t.font), m_style(t.style),
      m_ex_style(t.ex_style) {
    m_controls.reserve(t.controls.size());
    bool default_found = false;
    for (const auto& ct : t.controls) {
        Control c;
        c.kind = control_kind(ct.class_name, ct.style);
        c.id = ct.id;
        c.class_name = ct.class_name;
        c.rect = ct.rect;
        c.style = ct.style;
        c.ex_style = ct.ex_style;
        if (c.kind == ControlKind::static_icon) {
            if (icons)
                c.icon = icons(icon_id_of(ct.text));
        } else {
            c.text = ct.text;
        }
        c.collapse_to_end();
        if (c.default_style() && !default_found) {
            m_default_id = c.id;
            default_found = true;
        }
        m_controls.push_back(std::move(c));
    }
    revert_system_menu();
}

void Dialog::set_caption(std::string caption) {
    m_caption = std::move(caption);
    invalidate();
}

BaseUnits Dialog::base_units() const {
    return m_front_end != nullptr ? m_front_end->base_units(m_font) : BaseUnits{};
}

Rect Dialog::client_rect() const {
    const Size pixels = to_pixels(m_size, base_units());
    return {0, 0, pixels.width, pixels.height};
}

Control* Dialog::find(int id) {
    for (auto& c : m_controls)
        if (c.id == id)
            return &c;
    return nullptr;
}

const Control* Dialog::find(int id) const {
    return const_cast<Dialog*>(this)->find(id);
}

std::string Dialog::text(int id) const {
    const Control* c = find(id);
    return c != nullptr ? c->text : std::string();
}

bool Dialog::set_text(int id, std::string text) {
    Control* c = find(id);
    if (c == nullptr)
        return false;
    c->text = std::move(text);
    c->collapse_to_end();
    invalidate();
    return true;
}

bool Dialog::focusable(const Control& c) const {
    return c.visible() && c.enabled() &&
           (c.kind == ControlKind::push_button || c.kind == ControlKind::edit);
}

const Control* Dialog::focused() const {
    return m_focus < m_controls.size() ? &m_controls[m_focus] : nullptr;
}

int Dialog::focus_id() const {
    const Control* c = focused();
    return c != nullptr ? c->id : 0;
}

bool Dialog::set_focus(int id) {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (m_controls[i].id == id && focusable(m_controls[i])) {
            m_focus = i;
            invalidate();
            return true;
        }
    }
    return false;
}

void Dialog::focus_first_tab_stop() {
    m_focus = npos;
    move_focus(TabDirection::forward);
}

void Dialog::move_focus(TabDirection direction) {
    const std::size_t count = m_controls.size();
    if (count == 0)
        return;
    std::size_t i = m_focus;
    for (std::size_t step = 0; step < count; ++step) {
        if (direction == TabDirection::forward)
            i = (i == npos || i + 1 >= count) ? 0 : i + 1;
        else
            i = (i == npos || i == 0) ? count - 1 : i - 1;
        const Control& c = m_controls[i];
        if (c.tab_stop() && focusable(c)) {
            m_focus = i;
            // Tabbing into an edit box selects its text, so typing replaces it.
            if (c.kind == ControlKind::edit)
                m_controls[i].select_all();
            invalidate();
            return;
        }
    }
}

int Dialog::enter_target_id() const {
    const Control* c = focused();
    if (c != nullptr && c->is_button())
        return c->id;
    return m_default_id;
}

std::intptr_t Dialog::send(unsigned message, std::uintptr_t wparam, std::intptr_t lparam) {
    const Message m{message, wparam, lparam};
    return m_sink != nullptr ? m_sink->window_proc(m) : default_message(m);
}

std::intptr_t Dialog::default_message(const Message& m) {
    switch (m.message) {
    case msg::WM_PAINT:
        begin_paint();
        end_paint();
        return 0;
    case msg::WM_CLOSE:
        send(msg::WM_COMMAND, make_command_wparam(msg::dialog_cancel, msg::BN_CLICKED), 0);
        return 0;
    case msg::WM_SYSCOMMAND:
        switch (static_cast<unsigned>(m.wparam) & 0xFFF0u) {
        case msg::SC_CLOSE:
            send(msg::WM_CLOSE);
            break;
        case msg::SC_MINIMIZE:
            set_iconic(true);
            break;
        case msg::SC_RESTORE:
            set_iconic(false);
            break;
        case msg::SC_KEYMENU:
            track_system_menu();
            break;
        default:
            break; // SC_MOVE and others: the front end moves its window itself
        }
        return 0;
    case msg::WM_SETICON:
        return reinterpret_cast<std::intptr_t>(
            set_icon(m.wparam == msg::ICON_BIG, reinterpret_cast<const Icon*>(m.lparam)));
    case msg::WM_QUERYDRAGICON:
        return 0;
    default:
        return 0;
    }
}

void Dialog::end(int result) {
    m_ended = true;
    m_result = result;
}

void Dialog::update_window() {
    if (m_needs_paint && !m_painting)
        send(msg::WM_PAINT);
}

void Dialog::begin_paint() {
    m_painting = true;
    m_painted_icons.clear();
}

void Dialog::draw_icon(const Icon* icon, Point position) {
    m_painted_icons.push_back({icon, position});
}

void Dialog::end_paint() {
    m_painting = false;
    m_needs_paint = false;
    ++m_paint_count;
    if (m_front_end != nullptr)
        m_front_end->present(*this);
}

void Dialog::set_iconic(bool iconic) {
    if (m_iconic == iconic)
        return;
    m_iconic = iconic;
    refresh_system_menu_states();
    invalidate();
    update_window();
}

const Icon* Dialog::set_icon(bool big, const Icon* icon) {
    const Icon*& slot = big ? m_big_icon : m_small_icon;
    const Icon* previous = slot;
    slot = icon;
    invalidate();
    return previous;
}

void Dialog::revert_system_menu() {
    m_system_menu.clear();
    if (!has_system_menu())
        return;
    m_system_menu.append({false, msg::SC_RESTORE, "&Restore", true});
    m_system_menu.append({false, msg::SC_MOVE, "&Move", true});
    m_system_menu.append({false, msg::SC_MINIMIZE, "Mi&nimize", true});
    m_system_menu.append({true, 0, "", true});
    m_system_menu.append({false, msg::SC_CLOSE, "&Close", true});
    refresh_system_menu_states();
}

bool Dialog::has_system_menu() const {
    return (m_style & style::WS_SYSMENU) != 0;
}

void Dialog::refresh_system_menu_states() {
    if (MenuItem* restore = m_system_menu.find(msg::SC_RESTORE))
        restore->enabled = m_iconic;
    if (MenuItem* minimize = m_system_menu.find(msg::SC_MINIMIZE))
        minimize->enabled = !m_iconic;
    if (MenuItem* move = m_system_menu.find(msg::SC_MOVE))
        move->enabled = !m_iconic;
}

void Dialog::track_system_menu() {
    if (!has_system_menu() || m_front_end == nullptr)
        return;
    const unsigned command = m_front_end->track_system_menu(*this);
    if (command != 0 && m_system_menu.find_enabled(command) != nullptr)
        send(msg::WM_SYSCOMMAND, command, 0);
}

} // namespace ui::model
