// The modal loop: paint when invalid, wait for input, dispatch, until the dialog ends.
#include "ui/model/modal_loop.h"
#include "ui/frontend.h"

#include <algorithm>
#include <vector>

namespace ui::model {

namespace {
std::vector<Dialog*>& shown_dialogs() {
    static std::vector<Dialog*> stack;
    return stack;
}
} // namespace

Dialog* active_dialog() {
    auto& stack = shown_dialogs();
    return stack.empty() ? nullptr : stack.back();
}

ShownDialog::ShownDialog(Dialog& dialog) : m_dialog(dialog) {
    shown_dialogs().push_back(&dialog);
}

ShownDialog::~ShownDialog() {
    auto& stack = shown_dialogs();
    stack.erase(std::remove(stack.begin(), stack.end(), &m_dialog), stack.end());
}

int run_modal_loop(Dialog& dialog) {
    FrontEnd* front_end = dialog.front_end();
    if (front_end == nullptr) {
        if (!dialog.ended())
            dialog.end(-1);
        return dialog.result();
    }
    ShownDialog shown(dialog);
    front_end->open_view(dialog);
    while (!dialog.ended()) {
        dialog.update_window();
        if (dialog.ended())
            break;
        dialog.handle_input(front_end->wait_input(dialog));
    }
    front_end->close_view(dialog);
    return dialog.result();
}

} // namespace ui::model
