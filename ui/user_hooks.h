// Routes the platform's MessageBoxA and GetFocus to the dialog layer and its front end.
#pragma once

namespace ui {

// After this, MessageBoxA shows a modal box over the active dialog through the installed front
// end (the console fallback when none is installed) and GetFocus names the focused control.
void install_user_hooks();
// Back to the platform's console fallbacks.
void remove_user_hooks();

} // namespace ui
