// The terminal front end: shows the stack of modal dialogs centred in the terminal, turns keys
// and mouse clicks into dialog input, and runs message boxes and the system menu as popups.
#pragma once

#include "ui/frontend.h"
#include "ui/tui/cell_layout.h"
#include "ui/tui/key_decoder.h"
#include "ui/tui/screen_painter.h"
#include "ui/tui/terminal_session.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace ui::tui {

class TerminalFrontEnd final : public FrontEnd {
public:
    explicit TerminalFrontEnd(std::unique_ptr<TerminalSession> session);
    ~TerminalFrontEnd() override;

    const char* name() const override { return "terminal"; }
    model::BaseUnits base_units(const model::FontSpec& font) override;
    void open_view(model::Dialog& dialog) override;
    void close_view(model::Dialog& dialog) override;
    void present(model::Dialog& dialog) override;
    model::InputEvent wait_input(model::Dialog& dialog) override;
    int message_box(model::Dialog* owner, const std::string& text, const std::string& caption,
                    unsigned type) override;
    unsigned track_system_menu(model::Dialog& dialog) override;

private:
    struct View {
        model::Dialog* dialog = nullptr;
        CellLayout layout;   // computed when the view opens
        model::Point offset; // moved by the user from the centre
        model::Point origin; // where it was last drawn
    };
    // Something drawn over the dialogs: a message box or a menu.
    struct Overlay {
        std::function<std::optional<model::Rect>(model::Size terminal)> place;
        std::function<void(model::Rect cells)> paint;
        model::Rect cells; // where it was last drawn
    };
    // A key, a resolved mouse report, or the end of input.
    struct Input {
        enum class Kind { key, mouse, closed };
        Kind kind = Kind::closed;
        model::InputEvent event; // key
        MEVENT mouse{};          // mouse
    };

    void redraw();
    View* find_view(const model::Dialog& dialog);
    // Waits for a key or a click, redrawing on resize; closed once input has gone.
    Input next_input();
    std::optional<model::InputEvent> dialog_mouse(View& view, const MEVENT& mouse);
    std::optional<model::Rect> place_menu(const View& view, model::Size menu,
                                          model::Size terminal) const;
    void run_move(View& view);

    std::unique_ptr<TerminalSession> m_session;
    std::vector<View> m_views;
    std::vector<Overlay> m_overlays;
    bool m_input_closed = false;
};

} // namespace ui::tui
