// The interface between the dialog model and whatever shows it: terminal, desktop or headless.
//
// How a front end is driven (all on the one user-interface thread):
// - The model is authoritative. Control texts, focus, the default button, the system menu, the
//   iconic state and whether a dialog has ended live in ui::model::Dialog; a front end is a view
//   of it plus a source of input. Read the dialog in present(); never keep a copy as the truth.
// - CDialog::DoModal builds a Dialog from its template, attaches the front end, sends
//   WM_INITDIALOG, then runs ui::model::run_modal_loop, which calls open_view, and while the
//   dialog has not ended: present() through WM_PAINT when the dialog is invalid, then
//   wait_input() and Dialog::handle_input() on the event. On the end it calls close_view.
// - Nested modal dialogs (the About box over the main dialog) run the same loop again from inside
//   a handler: open_view/wait_input/close_view calls for the inner dialog arrive while the outer
//   dialog is still open. Only the innermost dialog gets input; keep the outer one visible.
// - UpdateWindow from a handler calls present() synchronously: the new texts must be on screen
//   when present() returns, because the handler may block for a while right after.
// - Native text editing is allowed (a desktop line edit): report each change at once as
//   InputEvent::text_edited, so the model has the text before any handler runs. A front end
//   that does not edit natively sends key events and the model edits (caret and selection in
//   Control).
// - Keys the model understands: Tab / Shift+Tab, Enter, Escape, Space, characters, Backspace,
//   Delete, Left, Right, Home, End, Alt+Space and F10 (system menu). Mouse: InputEvent::click
//   on a control, close_box for the frame's close button, open_system_menu for a right-click on
//   the background. When the model wants the system menu shown it calls track_system_menu().
// - message_box() is modal: it runs its own wait for the user and returns IDOK.
// - No exception leaves a front end; wait_input returns InputEvent::input_closed() when input is
//   gone for good (display closed, end of a test script) and keeps returning it, so every open
//   dialog ends with IDCANCEL.
#pragma once

#include "ui/model/dialog.h"
#include "ui/model/geometry.h"
#include "ui/model/input.h"

#include <memory>
#include <string>

namespace ui {

class FrontEnd {
public:
    virtual ~FrontEnd() = default;

    // "desktop", "terminal" or "headless".
    virtual const char* name() const = 0;

    // Size of a base unit of the dialog font in the units the front end lays out with
    // (desktop: pixels of the substituted font; terminal: x 4, y 8, so one dialog-unit column
    // and row map to one cell column and row after dividing by 4 and 8).
    virtual model::BaseUnits base_units(const model::FontSpec& font) = 0;

    // (a) The dialog is about to be shown (caption, size, font, controls, icons). The dialog
    // stays alive until close_view returns; the front end may keep its pointer until then.
    virtual void open_view(model::Dialog& dialog) = 0;
    virtual void close_view(model::Dialog& dialog) = 0;

    // (b) Makes the view show the dialog's state now (texts, focus, default button, iconic state
    // and, while iconic, Dialog::painted_icons). Synchronous.
    virtual void present(model::Dialog& dialog) = 0;

    // (c) Blocks until the user does something to dialog (the innermost modal one) and returns
    // it as an event. Handles redraws of its own (expose, resize) without involving the model.
    virtual model::InputEvent wait_input(model::Dialog& dialog) = 0;

    // (d) A modal message box over owner (may be null) with the caption, the text and an OK
    // button; type is the MB_ flags word. Returns IDOK (1).
    virtual int message_box(model::Dialog* owner, const std::string& text,
                            const std::string& caption, unsigned type) = 0;

    // (e) Shows dialog.system_menu() as a popup (disabled items greyed, separators drawn, '&'
    // marking mnemonics) and returns the command of the enabled item chosen, or 0 when dismissed.
    // The model sends the command as WM_SYSCOMMAND.
    virtual unsigned track_system_menu(model::Dialog& dialog) = 0;
};

// Factories the front-end folders define. Each returns null when its front end cannot run here
// (no terminal on standard input/output, no display to connect to) or was not built: the build
// then compiles ui/tui_unavailable.cpp or ui/qt_unavailable.cpp instead.
std::unique_ptr<FrontEnd> make_terminal_front_end();
std::unique_ptr<FrontEnd> make_desktop_front_end();

// Whether the build includes the real terminal or desktop front end (the stubs say no).
bool terminal_front_end_built();
bool desktop_front_end_built();

// The front end dialogs are shown with; null until one is installed. Not owned.
FrontEnd* current_front_end();
// Installs front_end (may be null) and returns the previous one.
FrontEnd* install_front_end(FrontEnd* front_end);

} // namespace ui
