// MessageBoxA and GetFocus: routed to the installed user interface, else to the console.
#include "platform/win_user.h"

#include <atomic>
#include <cstdio>
#include <unistd.h>

namespace platform {
namespace {

std::atomic<MessageBoxHook> s_message_box_hook{nullptr};
std::atomic<FocusHook> s_focus_hook{nullptr};

int console_message_box(const char* text, const char* caption) {
    std::fprintf(stderr, "%s\n%s\n", caption != nullptr ? caption : "",
                 text != nullptr ? text : "");
    if (isatty(STDIN_FILENO)) {
        std::fprintf(stderr, "[Press Enter]");
        std::fflush(stderr);
        int c;
        do {
            c = std::fgetc(stdin);
        } while (c != '\n' && c != EOF);
    }
    std::fflush(stderr);
    return IDOK;
}

} // namespace

void install_message_box_hook(MessageBoxHook hook) { s_message_box_hook.store(hook); }
void install_focus_hook(FocusHook hook) { s_focus_hook.store(hook); }

} // namespace platform

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    if (auto hook = platform::s_message_box_hook.load())
        return hook(owner, text, caption, type);
    return platform::console_message_box(text, caption);
}

HWND GetFocus() {
    if (auto hook = platform::s_focus_hook.load())
        return hook();
    return nullptr;
}
