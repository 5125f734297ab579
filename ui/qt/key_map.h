// Which keys the dialog model handles itself (moving the focus, pressing buttons, the system
// menu) and which stay with the native widget (editing in a line edit, pressing with Space).
#pragma once

#include "ui/model/input.h"

#include <qnamespace.h>

#include <optional>

class QKeyEvent;

namespace ui::qt {

enum class KeyTarget { edit, button, other };

struct KeyRoute {
    bool consume = false;                   // the native widget does not see the key
    std::optional<model::InputEvent> event; // what to hand to the model, if anything
};

KeyRoute route_key(int qt_key, Qt::KeyboardModifiers modifiers, KeyTarget target);
KeyRoute route_key(const QKeyEvent& event, KeyTarget target);

} // namespace ui::qt
