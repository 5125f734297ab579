// The few USER32 calls the serial library needs: a message box, the focus window, and wsprintfA.
// Differs from Windows:
// - MessageBoxA goes to whatever user interface installed a hook; without one it prints the
//   caption and text to standard error and waits for Enter only when standard input is a terminal.
// - wsprintfA takes the buffer size implied by Windows (1024 bytes) as its limit and never writes
//   past it; wnsprintfA takes an explicit size.
#pragma once

#include "platform/win_types.h"

inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_OKCANCEL = 0x00000001;
inline constexpr UINT MB_ICONHAND = 0x00000010;
inline constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
inline constexpr UINT MB_ICONINFORMATION = 0x00000040;

#ifndef IDOK
#define IDOK 1
#endif
#ifndef IDCANCEL
#define IDCANCEL 2
#endif

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
HWND GetFocus();

// Formats like printf for %s %d %u %x %c with flags and widths; at most 1024 bytes including
// the terminating zero are written. Returns the number of characters stored, without the zero.
int wsprintfA(LPSTR buffer, LPCSTR format, ...);

// Same as wsprintfA with an explicit buffer size in characters (at least 1), as the Windows
// shell's bounded variant; the result is always zero-terminated.
int wnsprintfA(LPSTR buffer, int size, LPCSTR format, ...);

namespace platform {

// Hooks the dialog layer installs; null restores the console fallback.
using MessageBoxHook = int (*)(HWND owner, const char* text, const char* caption, UINT type);
using FocusHook = HWND (*)();
void install_message_box_hook(MessageBoxHook hook);
void install_focus_hook(FocusHook hook);

} // namespace platform
