// Key routing between the model and the native widgets.
#include "ui/qt/key_map.h"

#include <QKeyEvent>

namespace ui::qt {

namespace {

struct KeyRow {
    int qt_key;
    Qt::KeyboardModifiers needs; // modifiers that must be held
    model::Key key;
    unsigned modifiers;
};

constexpr KeyRow k_model_keys[] = {
    {Qt::Key_Tab, Qt::NoModifier, model::Key::tab, model::modifier::none},
    {Qt::Key_Backtab, Qt::NoModifier, model::Key::tab, model::modifier::shift},
    {Qt::Key_Return, Qt::NoModifier, model::Key::enter, model::modifier::none},
    {Qt::Key_Enter, Qt::NoModifier, model::Key::enter, model::modifier::none},
    {Qt::Key_Escape, Qt::NoModifier, model::Key::escape, model::modifier::none},
    {Qt::Key_Space, Qt::AltModifier, model::Key::space, model::modifier::alt},
    {Qt::Key_F10, Qt::NoModifier, model::Key::f10, model::modifier::none},
};

bool is_arrow(int qt_key) {
    return qt_key == Qt::Key_Left || qt_key == Qt::Key_Right || qt_key == Qt::Key_Up ||
           qt_key == Qt::Key_Down;
}

} // namespace

KeyRoute route_key(int qt_key, Qt::KeyboardModifiers modifiers, KeyTarget target) {
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    for (const auto& row : k_model_keys) {
        if (row.qt_key != qt_key || control || (modifiers & row.needs) != row.needs)
            continue;
        unsigned model_modifiers = row.modifiers;
        if (modifiers.testFlag(Qt::ShiftModifier))
            model_modifiers |= model::modifier::shift;
        return {true, model::InputEvent::key_press(row.key, model_modifiers)};
    }
    // A push button has no use for arrows; the native ones would move the focus behind the
    // model's back.
    if (target == KeyTarget::button && is_arrow(qt_key))
        return {true, std::nullopt};
    return {};
}

KeyRoute route_key(const QKeyEvent& event, KeyTarget target) {
    return route_key(event.key(), event.modifiers(), target);
}

} // namespace ui::qt
