// The Windows types, messages and constants the class framework stand-ins use, over platform/.
// Differs from MFC/Windows:
// - HWND names a ui::model::Dialog, HICON a decoded ui::model::Icon, HMENU a CMenu's model menu,
//   HDC the dialog being painted, HINSTANCE a ui::res::Module. None is a kernel object.
// - Only the messages, commands and metrics the dialog layer knows are defined.
#pragma once

#include "platform/windows.h"
#include "ui/model/messages.h"

#include <cstdint>

struct HMENU__;
using HMENU = HMENU__*;
using INT_PTR = std::intptr_t;
using LPCTSTR = const char*;
using LPTSTR = char*;
using TCHAR = char;

struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;

struct POINT {
    LONG x = 0;
    LONG y = 0;
};

#ifndef NULL
#define NULL nullptr
#endif

#define afx_msg
#define _T(text) text
#define TEXT(text) text
#define LOWORD(l) (static_cast<WORD>(static_cast<DWORD_PTR_FOR_WORDS>(l) & 0xFFFF))
#define HIWORD(l) (static_cast<WORD>((static_cast<DWORD_PTR_FOR_WORDS>(l) >> 16) & 0xFFFF))
using DWORD_PTR_FOR_WORDS = std::uintptr_t;
#define MAKEINTRESOURCE(id)                                                                        \
    (reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(id))))
#define IS_INTRESOURCE(p) ((reinterpret_cast<ULONG_PTR>(p) >> 16) == 0)

inline constexpr UINT WM_SETFOCUS = ui::model::msg::WM_SETFOCUS;
inline constexpr UINT WM_PAINT = ui::model::msg::WM_PAINT;
inline constexpr UINT WM_CLOSE = ui::model::msg::WM_CLOSE;
inline constexpr UINT WM_ICONERASEBKGND = ui::model::msg::WM_ICONERASEBKGND;
inline constexpr UINT WM_QUERYDRAGICON = ui::model::msg::WM_QUERYDRAGICON;
inline constexpr UINT WM_SETICON = ui::model::msg::WM_SETICON;
inline constexpr UINT WM_INITDIALOG = ui::model::msg::WM_INITDIALOG;
inline constexpr UINT WM_COMMAND = ui::model::msg::WM_COMMAND;
inline constexpr UINT WM_SYSCOMMAND = ui::model::msg::WM_SYSCOMMAND;

inline constexpr UINT BN_CLICKED = ui::model::msg::BN_CLICKED;
inline constexpr UINT CN_COMMAND = 0;

inline constexpr UINT SC_MOVE = ui::model::msg::SC_MOVE;
inline constexpr UINT SC_MINIMIZE = ui::model::msg::SC_MINIMIZE;
inline constexpr UINT SC_CLOSE = ui::model::msg::SC_CLOSE;
inline constexpr UINT SC_KEYMENU = ui::model::msg::SC_KEYMENU;
inline constexpr UINT SC_RESTORE = ui::model::msg::SC_RESTORE;

inline constexpr WPARAM ICON_SMALL = ui::model::msg::ICON_SMALL;
inline constexpr WPARAM ICON_BIG = ui::model::msg::ICON_BIG;

inline constexpr int SM_CXICON = 11;
inline constexpr int SM_CYICON = 12;
inline constexpr int SM_CXSMICON = 49;
inline constexpr int SM_CYSMICON = 50;

inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_SEPARATOR = 0x0800;

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
#define ID_HELP 0xE146
