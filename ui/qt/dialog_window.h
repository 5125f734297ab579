// The desktop window of one dialog: a fixed-size top-level widget with one native widget per
// control at the control's place in pixels. It shows the model's state and turns what the user
// does into model input; it never changes the model itself.
#pragma once

#include "ui/model/dialog.h"
#include "ui/qt/dialog_font.h"
#include "ui/qt/key_map.h"

#include <QPoint>
#include <QRect>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

namespace ui::qt {

// A template rectangle in pixels: x, y, width and height each converted on its own, rounded as
// the Windows MulDiv does (x * base.x / 4, y * base.y / 8).
QRect window_rect(const model::Rect& dialog_units, model::BaseUnits base);

class DialogWindow final : public QWidget {
public:
    // Receives the user's input for this window's dialog, in the order it happened.
    using InputSink = std::function<void(model::InputEvent)>;

    // owner may be null; an owned window stays above its owner and is centred over it.
    DialogWindow(model::Dialog& dialog, const DialogFont& font, QWidget* owner, InputSink sink);

    model::Dialog& dialog() const { return m_dialog; }
    const DialogFont& dialog_font() const { return m_font; }

    // Brings caption, texts, focus, the default button, icons and the minimised state in line
    // with the model. Paints nothing by itself; see repaint().
    void show_state();

    // The native widget of the control at index in template order; null past the end.
    QWidget* control_widget(std::size_t index) const;
    // The first control widget with this id; null when there is none.
    QWidget* control_widget_by_id(int id) const;

    // Where the next system menu opens: at the pointer after a right-click, else at the top-left
    // corner of the client area. Reading it forgets the pointer position.
    QPoint take_menu_position();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void build_controls();
    QWidget* make_widget(const model::Control& control);
    void show_control(const model::Control& control, QWidget* widget);
    void show_focus();
    void show_icons();
    std::optional<std::size_t> index_of(const QObject* object) const;
    KeyTarget key_target(const QObject* object) const;

    model::Dialog& m_dialog;
    DialogFont m_font;
    InputSink m_sink;
    std::vector<QWidget*> m_widgets; // one per control, template order; owned as children
    std::optional<std::size_t> m_shown_focus;
    const model::Icon* m_shown_big_icon = nullptr;
    const model::Icon* m_shown_small_icon = nullptr;
    std::optional<QPoint> m_menu_position;
};

} // namespace ui::qt
