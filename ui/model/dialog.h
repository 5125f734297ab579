// A dialog window in the model: built from a template, it owns its controls' texts, the focus,
// the default button, the system menu, the iconic state and whether (and how) it has ended.
// Front ends show it and feed it input; the class framework receives its messages.
#pragma once

#include "ui/model/control.h"
#include "ui/model/dialog_template.h"
#include "ui/model/input.h"
#include "ui/model/menu.h"
#include "ui/model/messages.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace ui {
class FrontEnd;
}

namespace ui::model {

// Finds a loaded icon by resource id; null when there is none.
using IconLookup = std::function<const Icon*(int resource_id)>;

// An icon drawn into the client area by the last paint (DrawIcon), in pixels.
struct IconDrawing {
    const Icon* icon = nullptr;
    Point position;
};

enum class TabDirection { forward, backward };

class Dialog {
public:
    explicit Dialog(const DialogTemplate& dialog_template, const IconLookup& icons = {});
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    int template_id() const { return m_template_id; }
    const std::string& caption() const { return m_caption; }
    void set_caption(std::string caption);
    Size size() const { return m_size; } // client size in dialog units
    const FontSpec& font() const { return m_font; }
    std::uint32_t style() const { return m_style; }
    std::uint32_t ex_style() const { return m_ex_style; }

    // The front end that shows this dialog; null while it has none (headless unit use).
    FrontEnd* front_end() const { return m_front_end; }
    void attach(FrontEnd* front_end) { m_front_end = front_end; }
    // Pixel size of a base unit: the front end's for this font, else 6 x 13.
    BaseUnits base_units() const;
    // The client area in pixels, origin 0, 0.
    Rect client_rect() const;

    // Controls in template (tab) order. The vector never grows, so pointers stay valid.
    const std::vector<Control>& controls() const { return m_controls; }
    Control* find(int id);
    const Control* find(int id) const;

    // Texts of controls; setting one from the program invalidates the dialog.
    std::string text(int id) const;
    bool set_text(int id, std::string text);

    // Focus: a visible, enabled control other than static text, or none.
    const Control* focused() const;
    int focus_id() const; // 0 when nothing has the focus
    bool set_focus(int id);
    void focus_first_tab_stop();
    void move_focus(TabDirection direction);

    // The default push button's id (DM_GETDEFID): the BS_DEFPUSHBUTTON control, else IDOK.
    int default_button_id() const { return m_default_id; }
    void set_default_button_id(int id) { m_default_id = id; }
    // The button Enter presses: the focused push button, else the default one.
    int enter_target_id() const;

    // Messages go to the sink (the framework's window procedure), else to default_message.
    void set_sink(MessageSink* sink) { m_sink = sink; }
    std::intptr_t send(unsigned message, std::uintptr_t wparam = 0, std::intptr_t lparam = 0);
    // What the system does with a message nobody handled.
    std::intptr_t default_message(const Message& message);

    // Input from a front end: keys, clicks, edits, the close box, the system menu.
    void handle_input(const InputEvent& event);

    // End of the modal loop.
    bool ended() const { return m_ended; }
    int result() const { return m_result; }
    void end(int result);

    // Painting: program changes invalidate; update_window paints now when invalid.
    bool needs_paint() const { return m_needs_paint; }
    void invalidate() { m_needs_paint = true; }
    void update_window();
    // A paint in progress records icons drawn into it; the end of the paint shows the result.
    void begin_paint();
    void draw_icon(const Icon* icon, Point position);
    void end_paint();
    const std::vector<IconDrawing>& painted_icons() const { return m_painted_icons; }
    int paint_count() const { return m_paint_count; }

    // Minimised (IsIconic).
    bool iconic() const { return m_iconic; }
    void set_iconic(bool iconic);

    // Icons set with WM_SETICON.
    const Icon* big_icon() const { return m_big_icon; }
    const Icon* small_icon() const { return m_small_icon; }
    const Icon* set_icon(bool big, const Icon* icon); // returns the previous one

    // The system menu: Restore, Move, Minimize, Close, then what the program appends. Items
    // that do not apply in the current state are disabled. Empty without WS_SYSMENU.
    bool has_system_menu() const;
    Menu& system_menu() { return m_system_menu; }
    const Menu& system_menu() const { return m_system_menu; }
    // Drops what the program appended and restores the standard items.
    void revert_system_menu();
    // Asks the front end to show the system menu and sends the chosen command.
    void track_system_menu();

private:
    void edit_key(Control& edit, const InputEvent& event);
    void press_button(int id);
    void refresh_system_menu_states();
    bool focusable(const Control& control) const;

    int m_template_id = 0;
    std::string m_caption;
    Size m_size;
    FontSpec m_font;
    std::uint32_t m_style = 0;
    std::uint32_t m_ex_style = 0;
    std::vector<Control> m_controls;
    std::size_t m_focus = npos;
    int m_default_id = msg::dialog_ok;
    MessageSink* m_sink = nullptr;
    FrontEnd* m_front_end = nullptr;
    bool m_ended = false;
    int m_result = 0;
    bool m_needs_paint = true;
    bool m_painting = false;
    int m_paint_count = 0;
    bool m_iconic = false;
    const Icon* m_big_icon = nullptr;
    const Icon* m_small_icon = nullptr;
    std::vector<IconDrawing> m_painted_icons;
    Menu m_system_menu;

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
};

} // namespace ui::model
