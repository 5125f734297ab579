// The modal loop of a dialog and the stack of dialogs being shown.
#pragma once

#include "ui/model/dialog.h"

namespace ui::model {

// Shows dialog through its attached front end and dispatches input until it ends; returns the
// dialog's result. A dialog without a front end ends at once with IDCANCEL (-1 if not shown).
int run_modal_loop(Dialog& dialog);

// The innermost dialog being shown, or null.
Dialog* active_dialog();

// Keeps a dialog on the stack of shown dialogs for the life of the scope.
class ShownDialog {
public:
    explicit ShownDialog(Dialog& dialog);
    ~ShownDialog();
    ShownDialog(const ShownDialog&) = delete;
    ShownDialog& operator=(const ShownDialog&) = delete;

private:
    Dialog& m_dialog;
};

} // namespace ui::model
