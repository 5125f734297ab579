// Style and palette of the desktop dialogs.
#include "ui/qt/classic_look.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

namespace ui::qt {

namespace {

struct PaletteRow {
    QPalette::ColorRole role;
    QRgb active;
    QRgb disabled;
};

// The colours of the classic Windows 3-D scheme.
constexpr QRgb k_face = 0xFFC0C0C0;
constexpr QRgb k_highlight_edge = 0xFFFFFFFF;
constexpr QRgb k_light_edge = 0xFFDFDFDF;
constexpr QRgb k_shadow_edge = 0xFF808080;
constexpr QRgb k_dark_edge = 0xFF000000;
constexpr QRgb k_text = 0xFF000000;
constexpr QRgb k_grey_text = 0xFF808080;
constexpr QRgb k_selection = 0xFF000080;

constexpr PaletteRow k_palette[] = {
    {QPalette::Window, k_face, k_face},
    {QPalette::Button, k_face, k_face},
    {QPalette::Base, 0xFFFFFFFF, k_face},
    {QPalette::AlternateBase, 0xFFFFFFFF, k_face},
    {QPalette::WindowText, k_text, k_grey_text},
    {QPalette::ButtonText, k_text, k_grey_text},
    {QPalette::Text, k_text, k_grey_text},
    {QPalette::Light, k_highlight_edge, k_highlight_edge},
    {QPalette::Midlight, k_light_edge, k_light_edge},
    {QPalette::Mid, k_shadow_edge, k_shadow_edge},
    {QPalette::Dark, k_shadow_edge, k_shadow_edge},
    {QPalette::Shadow, k_dark_edge, k_dark_edge},
    {QPalette::Highlight, k_selection, k_shadow_edge},
    {QPalette::HighlightedText, 0xFFFFFFFF, 0xFFFFFFFF},
    {QPalette::ToolTipBase, 0xFFFFFFE1, 0xFFFFFFE1},
    {QPalette::ToolTipText, k_text, k_text},
};

} // namespace

QPalette classic_palette() {
    QPalette palette;
    for (const auto& row : k_palette) {
        palette.setColor(QPalette::Active, row.role, QColor::fromRgb(row.active));
        palette.setColor(QPalette::Inactive, row.role, QColor::fromRgb(row.active));
        palette.setColor(QPalette::Disabled, row.role, QColor::fromRgb(row.disabled));
    }
    return palette;
}

void apply_classic_look(QApplication& application) {
    // The built-in Windows style draws the classic bevels; Fusion when a build lacks it.
    QStyle* style = QStyleFactory::create(QStringLiteral("Windows"));
    if (style == nullptr)
        style = QStyleFactory::create(QStringLiteral("Fusion"));
    if (style != nullptr)
        QApplication::setStyle(style);
    application.setPalette(classic_palette());
}

} // namespace ui::qt
