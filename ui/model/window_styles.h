// Window, dialog and control style bits with their documented Windows values, and one named table
// of them that the resource compiler and the values share.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace ui::model {

// X(name, value): every style word a resource script may name.
#define UI_MODEL_STYLE_LIST(X)                                                                     \
    X(WS_OVERLAPPED, 0x00000000u)                                                                  \
    X(WS_POPUP, 0x80000000u)                                                                       \
    X(WS_CHILD, 0x40000000u)                                                                       \
    X(WS_MINIMIZE, 0x20000000u)                                                                    \
    X(WS_VISIBLE, 0x10000000u)                                                                     \
    X(WS_DISABLED, 0x08000000u)                                                                    \
    X(WS_CLIPSIBLINGS, 0x04000000u)                                                                \
    X(WS_CLIPCHILDREN, 0x02000000u)                                                                \
    X(WS_MAXIMIZE, 0x01000000u)                                                                    \
    X(WS_CAPTION, 0x00C00000u)                                                                     \
    X(WS_BORDER, 0x00800000u)                                                                      \
    X(WS_DLGFRAME, 0x00400000u)                                                                    \
    X(WS_VSCROLL, 0x00200000u)                                                                     \
    X(WS_HSCROLL, 0x00100000u)                                                                     \
    X(WS_SYSMENU, 0x00080000u)                                                                     \
    X(WS_THICKFRAME, 0x00040000u)                                                                  \
    X(WS_GROUP, 0x00020000u)                                                                       \
    X(WS_TABSTOP, 0x00010000u)                                                                     \
    X(WS_MINIMIZEBOX, 0x00020000u)                                                                 \
    X(WS_MAXIMIZEBOX, 0x00010000u)                                                                 \
    X(WS_EX_DLGMODALFRAME, 0x00000001u)                                                            \
    X(WS_EX_TOPMOST, 0x00000008u)                                                                  \
    X(WS_EX_TOOLWINDOW, 0x00000080u)                                                               \
    X(WS_EX_WINDOWEDGE, 0x00000100u)                                                               \
    X(WS_EX_CLIENTEDGE, 0x00000200u)                                                               \
    X(WS_EX_STATICEDGE, 0x00020000u)                                                               \
    X(WS_EX_APPWINDOW, 0x00040000u)                                                                \
    X(DS_ABSALIGN, 0x0001u)                                                                        \
    X(DS_SYSMODAL, 0x0002u)                                                                        \
    X(DS_LOCALEDIT, 0x0020u)                                                                       \
    X(DS_SETFONT, 0x0040u)                                                                         \
    X(DS_MODALFRAME, 0x0080u)                                                                      \
    X(DS_NOIDLEMSG, 0x0100u)                                                                       \
    X(DS_SETFOREGROUND, 0x0200u)                                                                   \
    X(DS_3DLOOK, 0x0004u)                                                                          \
    X(DS_CENTER, 0x0800u)                                                                          \
    X(BS_PUSHBUTTON, 0x0000u)                                                                      \
    X(BS_DEFPUSHBUTTON, 0x0001u)                                                                   \
    X(ES_LEFT, 0x0000u)                                                                            \
    X(ES_CENTER, 0x0001u)                                                                          \
    X(ES_RIGHT, 0x0002u)                                                                           \
    X(ES_MULTILINE, 0x0004u)                                                                       \
    X(ES_UPPERCASE, 0x0008u)                                                                       \
    X(ES_LOWERCASE, 0x0010u)                                                                       \
    X(ES_PASSWORD, 0x0020u)                                                                        \
    X(ES_AUTOVSCROLL, 0x0040u)                                                                     \
    X(ES_AUTOHSCROLL, 0x0080u)                                                                     \
    X(ES_NOHIDESEL, 0x0100u)                                                                       \
    X(ES_READONLY, 0x0800u)                                                                        \
    X(ES_NUMBER, 0x2000u)                                                                          \
    X(SS_LEFT, 0x0000u)                                                                            \
    X(SS_CENTER, 0x0001u)                                                                          \
    X(SS_RIGHT, 0x0002u)                                                                           \
    X(SS_ICON, 0x0003u)                                                                            \
    X(SS_NOPREFIX, 0x0080u)                                                                        \
    X(SS_NOTIFY, 0x0100u)                                                                          \
    X(SS_CENTERIMAGE, 0x0200u)                                                                     \
    X(SS_SUNKEN, 0x1000u)

namespace style {
#define UI_MODEL_STYLE_VALUE(name, value) inline constexpr std::uint32_t name = value;
UI_MODEL_STYLE_LIST(UI_MODEL_STYLE_VALUE)
#undef UI_MODEL_STYLE_VALUE

// The low bits that select a static control's type (SS_LEFT ... SS_ICON ...).
inline constexpr std::uint32_t SS_TYPEMASK = 0x001Fu;
// The low bits that select a button's type.
inline constexpr std::uint32_t BS_TYPEMASK = 0x000Fu;
} // namespace style

struct NamedStyle {
    std::string_view name;
    std::uint32_t value;
};

inline constexpr NamedStyle k_named_styles[] = {
#define UI_MODEL_STYLE_ROW(name, value) {#name, value},
    UI_MODEL_STYLE_LIST(UI_MODEL_STYLE_ROW)
#undef UI_MODEL_STYLE_ROW
};

// The value of a style name, or nothing when the name is not a style.
constexpr std::optional<std::uint32_t> find_style(std::string_view name) {
    for (const auto& row : k_named_styles)
        if (row.name == name)
            return row.value;
    return std::nullopt;
}

} // namespace ui::model
