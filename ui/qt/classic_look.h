// The look of the desktop dialogs: a Windows-like widget style over the classic grey palette,
// raised push buttons and sunken edit boxes.
#pragma once

#include <QPalette>

class QApplication;

namespace ui::qt {

// The classic 3-D colours: button face grey, white highlights, dark grey and black shadows.
QPalette classic_palette();

// Sets the style and palette for the whole application.
void apply_classic_look(QApplication& application);

} // namespace ui::qt
