// The USER32 calls the program makes on its windows, icons and menus.
// Differs from Windows:
// - Handles are those of the dialog layer (see afx_types.h); a handle of another kind is refused.
// - GetSystemMetrics knows only the icon sizes: 32 and 16.
// - LoadIconA loads from the installed resource module whatever hInstance says.
#pragma once

#include "ui/mfc/afx_types.h"

namespace ui::model {
class Dialog;
struct Icon;
} // namespace ui::model

BOOL UpdateWindow(HWND hWnd);
LRESULT SendMessageA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
inline LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(hWnd, message, wParam, lParam);
}
BOOL IsIconic(HWND hWnd);
BOOL GetClientRect(HWND hWnd, LPRECT lpRect);
int GetSystemMetrics(int nIndex);
BOOL DrawIcon(HDC hDC, int x, int y, HICON hIcon);
HICON LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName);
inline HICON LoadIcon(HINSTANCE hInstance, LPCSTR lpIconName) {
    return LoadIconA(hInstance, lpIconName);
}
HMENU GetSystemMenu(HWND hWnd, BOOL bRevert);
BOOL AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem);
inline BOOL AppendMenu(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    return AppendMenuA(hMenu, uFlags, uIDNewItem, lpNewItem);
}

namespace ui::mfc {

// Conversions between handles and the model objects they name.
inline HWND to_hwnd(ui::model::Dialog* dialog) {
    return reinterpret_cast<HWND>(dialog);
}
ui::model::Dialog* dialog_from(HWND hWnd); // null unless hWnd names a shown dialog
inline HICON to_hicon(const ui::model::Icon* icon) {
    return reinterpret_cast<HICON>(const_cast<ui::model::Icon*>(icon));
}
inline const ui::model::Icon* icon_from(HICON hIcon) {
    return reinterpret_cast<const ui::model::Icon*>(hIcon);
}
inline HDC to_hdc(ui::model::Dialog* dialog) {
    return reinterpret_cast<HDC>(dialog);
}

// Every dialog model that is attached to a CWnd.
void register_window(ui::model::Dialog* dialog);
void unregister_window(ui::model::Dialog* dialog);

} // namespace ui::mfc
