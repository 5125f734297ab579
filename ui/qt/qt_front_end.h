// The desktop front end: each dialog in its own window, native line edits, input queued while a
// handler runs and handed to the model's loop one event at a time.
#pragma once

#include "ui/frontend.h"
#include "ui/qt/dialog_font.h"
#include "ui/qt/dialog_window.h"

#include <QPointer>

#include <deque>
#include <memory>
#include <utility>
#include <vector>

class QApplication;
class QObject;

namespace ui::qt {

class QtFrontEnd final : public FrontEnd {
public:
    // Starts the application object unless one is running; the display must be reachable.
    QtFrontEnd();
    ~QtFrontEnd() override;
    QtFrontEnd(const QtFrontEnd&) = delete;
    QtFrontEnd& operator=(const QtFrontEnd&) = delete;

    const char* name() const override { return "desktop"; }
    model::BaseUnits base_units(const model::FontSpec& font) override;
    void open_view(model::Dialog& dialog) override;
    void close_view(model::Dialog& dialog) override;
    // Shows the state and repaints at once, before returning.
    void present(model::Dialog& dialog) override;
    // Takes queued input first; otherwise lets the toolkit run until input arrives. Input for a
    // dialog other than this one (an owner under a modal box) is dropped.
    model::InputEvent wait_input(model::Dialog& dialog) override;
    int message_box(model::Dialog* owner, const std::string& text, const std::string& caption,
                    unsigned type) override;
    unsigned track_system_menu(model::Dialog& dialog) override;

    // The window showing dialog, or null when it is not shown.
    DialogWindow* window_of(const model::Dialog& dialog) const;
    DialogFonts& fonts() { return *m_fonts; }

private:
    void post(model::Dialog* dialog, model::InputEvent event);

    std::unique_ptr<QApplication> m_owned_application;
    std::unique_ptr<QObject> m_context; // ends connections when the front end goes
    std::unique_ptr<DialogFonts> m_fonts;
    std::vector<std::pair<model::Dialog*, QPointer<DialogWindow>>> m_windows; // opening order
    std::deque<std::pair<model::Dialog*, model::InputEvent>> m_queue;
    bool m_input_closed = false;
};

} // namespace ui::qt
