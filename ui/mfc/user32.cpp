// USER32 calls on the dialog layer's handles.
#include "ui/mfc/user32.h"
#include "ui/model/dialog.h"
#include "ui/res/module.h"

#include <algorithm>
#include <vector>

namespace ui::mfc {

namespace {
std::vector<ui::model::Dialog*>& windows() {
    static std::vector<ui::model::Dialog*> list;
    return list;
}
} // namespace

void register_window(ui::model::Dialog* dialog) {
    windows().push_back(dialog);
}

void unregister_window(ui::model::Dialog* dialog) {
    auto& list = windows();
    list.erase(std::remove(list.begin(), list.end(), dialog), list.end());
}

ui::model::Dialog* dialog_from(HWND hWnd) {
    auto* dialog = reinterpret_cast<ui::model::Dialog*>(hWnd);
    const auto& list = windows();
    return std::find(list.begin(), list.end(), dialog) != list.end() ? dialog : nullptr;
}

} // namespace ui::mfc

BOOL UpdateWindow(HWND hWnd) {
    auto* dialog = ui::mfc::dialog_from(hWnd);
    if (dialog == nullptr)
        return FALSE;
    dialog->update_window();
    return TRUE;
}

LRESULT SendMessageA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* dialog = ui::mfc::dialog_from(hWnd);
    return dialog != nullptr ? dialog->send(message, wParam, lParam) : 0;
}

BOOL IsIconic(HWND hWnd) {
    auto* dialog = ui::mfc::dialog_from(hWnd);
    return dialog != nullptr && dialog->iconic() ? TRUE : FALSE;
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect) {
    auto* dialog = ui::mfc::dialog_from(hWnd);
    if (dialog == nullptr || lpRect == nullptr)
        return FALSE;
    const auto r = dialog->client_rect();
    *lpRect = RECT{r.x, r.y, r.right(), r.bottom()};
    return TRUE;
}

int GetSystemMetrics(int nIndex) {
    switch (nIndex) {
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    default:
        return 0;
    }
}

BOOL DrawIcon(HDC hDC, int x, int y, HICON hIcon) {
    auto* dialog = ui::mfc::dialog_from(reinterpret_cast<HWND>(hDC));
    if (dialog == nullptr || hIcon == nullptr)
        return FALSE;
    dialog->draw_icon(ui::mfc::icon_from(hIcon), {x, y});
    return TRUE;
}

HICON LoadIconA(HINSTANCE, LPCSTR lpIconName) {
    // Only numeric resource ids exist in our resource modules.
    if (!IS_INTRESOURCE(lpIconName))
        return nullptr;
    const int id = static_cast<int>(reinterpret_cast<ULONG_PTR>(lpIconName));
    return ui::mfc::to_hicon(ui::res::load_icon(id));
}

HMENU GetSystemMenu(HWND hWnd, BOOL bRevert) {
    auto* dialog = ui::mfc::dialog_from(hWnd);
    if (dialog == nullptr || !dialog->has_system_menu())
        return nullptr;
    if (bRevert) {
        dialog->revert_system_menu();
        return nullptr;
    }
    return reinterpret_cast<HMENU>(&dialog->system_menu());
}

BOOL AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    auto* menu = reinterpret_cast<ui::model::Menu*>(hMenu);
    if (menu == nullptr)
        return FALSE;
    ui::model::MenuItem item;
    item.enabled = (uFlags & (MF_GRAYED | MF_DISABLED)) == 0;
    if ((uFlags & MF_SEPARATOR) != 0) {
        item.separator = true;
    } else {
        item.command = static_cast<unsigned>(uIDNewItem);
        item.text = lpNewItem != nullptr ? lpNewItem : "";
    }
    menu->append(std::move(item));
    return TRUE;
}
