// The headless front end: no screen, input from a script, everything shown recorded. Tests
// drive dialogs with it, and COMLINK_UI=headless runs the program with an empty script (every
// dialog ends at once with IDCANCEL).
#pragma once

#include "ui/frontend.h"
#include "ui/model/menu.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui::headless {

// What the dialog showed at one present(): caption, control texts in template order, focus.
struct Screen {
    int template_id = 0;
    std::string caption;
    bool iconic = false;
    int focus_id = 0;
    std::vector<std::pair<int, std::string>> texts; // (control id, text), statics included
    std::vector<model::IconDrawing> icons;          // drawn by the paint, while iconic

    // The text of the first control with this id; empty when there is none.
    std::string text(int id) const;
};

struct ShownMessageBox {
    std::string caption;
    std::string text;
    unsigned type = 0;
    int owner_template_id = 0; // 0 without an owner
};

// One step of a script: returns the event to deliver, after looking at the dialog if it wants.
using ScriptStep = std::function<model::InputEvent(model::Dialog& dialog)>;

class HeadlessFrontEnd final : public FrontEnd {
public:
    const char* name() const override { return "headless"; }
    // 6 x 13 (an 8-point sans dialog font at 96 dots per inch) unless set otherwise.
    model::BaseUnits base_units(const model::FontSpec& font) override;
    void set_base_units(model::BaseUnits units) { m_base_units = units; }
    void open_view(model::Dialog& dialog) override;
    void close_view(model::Dialog& dialog) override;
    void present(model::Dialog& dialog) override;
    model::InputEvent wait_input(model::Dialog& dialog) override;
    int message_box(model::Dialog* owner, const std::string& text, const std::string& caption,
                    unsigned type) override;
    unsigned track_system_menu(model::Dialog& dialog) override;

    // Script for wait_input, consumed in order; once empty, wait_input returns input_closed.
    void push(model::InputEvent event);
    void push(ScriptStep step);
    std::size_t pending_steps() const { return m_script.size(); }
    // The next system-menu popup returns this command (0 dismisses it); unqueued popups return 0.
    void choose_from_system_menu(unsigned command);

    // Records.
    const std::vector<Screen>& screens() const { return m_screens; }
    const Screen* last_screen() const { return m_screens.empty() ? nullptr : &m_screens.back(); }
    int present_count() const { return static_cast<int>(m_screens.size()); }
    const std::vector<ShownMessageBox>& message_boxes() const { return m_message_boxes; }
    const std::vector<int>& opened_views() const { return m_opened; } // template ids, in order
    const std::vector<std::vector<model::MenuItem>>& system_menus_shown() const {
        return m_menus_shown;
    }
    void clear_records();

private:
    model::BaseUnits m_base_units{6, 13};
    std::deque<ScriptStep> m_script;
    std::deque<unsigned> m_menu_choices;
    std::vector<Screen> m_screens;
    std::vector<ShownMessageBox> m_message_boxes;
    std::vector<int> m_opened;
    std::vector<std::vector<model::MenuItem>> m_menus_shown;
};

std::unique_ptr<FrontEnd> make_headless_front_end();

} // namespace ui::headless
