// The dialog layer's MessageBoxA and GetFocus.
#include "ui/user_hooks.h"
#include "ui/frontend.h"
#include "ui/model/modal_loop.h"
#include "platform/win_user.h"

#include <cstdio>

namespace ui {

namespace {

int dialog_message_box(HWND, const char* text, const char* caption, UINT type) {
    FrontEnd* front_end = current_front_end();
    if (front_end == nullptr) {
        std::fprintf(stderr, "%s\n%s\n", caption != nullptr ? caption : "",
                     text != nullptr ? text : "");
        return IDOK;
    }
    model::Dialog* owner = model::active_dialog();
    const int result = front_end->message_box(owner, text != nullptr ? text : "",
                                              caption != nullptr ? caption : "", type);
    // The owner shows again what the box covered.
    if (owner != nullptr)
        owner->invalidate();
    return result;
}

HWND dialog_focus() {
    const model::Dialog* dialog = model::active_dialog();
    if (dialog == nullptr)
        return nullptr;
    const model::Control* focused = dialog->focused();
    // A control's handle is its model object; the dialog's is the dialog.
    return focused != nullptr ? reinterpret_cast<HWND>(const_cast<model::Control*>(focused))
                              : reinterpret_cast<HWND>(const_cast<model::Dialog*>(dialog));
}

} // namespace

void install_user_hooks() {
    platform::install_message_box_hook(&dialog_message_box);
    platform::install_focus_hook(&dialog_focus);
}

void remove_user_hooks() {
    platform::install_message_box_hook(nullptr);
    platform::install_focus_hook(nullptr);
}

} // namespace ui
