// The fonts dialogs are shown with on the desktop, and their base units by the Windows rule.
// "MS Sans Serif" at 96 dots per inch is the raster face from the system's .fon file; on a
// scaled screen, or when that file is missing, a scalable sans takes its place.
#pragma once

#include "ui/model/dialog_template.h"
#include "ui/model/geometry.h"

#include <QFont>

#include <map>
#include <optional>
#include <string>
#include <tuple>

namespace ui::qt {

struct DialogFont {
    QFont font;
    model::BaseUnits base;
    bool raster = false; // the .fon face rather than a substitute
};

// Base units of font as Windows computes them: x = (width of A-Z a-z / 26 + 1) / 2, y = height.
model::BaseUnits base_units_of(const QFont& font);

// Where the raster sans face lives: the first sserife.fon under $XDG_DATA_DIRS/wine/fonts,
// else the Debian package's folder; nothing when neither has it.
std::optional<std::string> find_raster_sans_file();

enum class RasterFonts { use, avoid };

class DialogFonts {
public:
    // Call with the application running. avoid: always the scalable substitute (scaled screens).
    explicit DialogFonts(RasterFonts raster);

    // The font that shows this template font; cached, so the reference stays valid for the
    // life of this object.
    const DialogFont& font_for(const model::FontSpec& spec);
    bool raster_loaded() const { return !m_raster_family.isEmpty(); }

private:
    DialogFont make_font(const model::FontSpec& spec) const;
    DialogFont scalable_font(const model::FontSpec& spec) const;

    QString m_raster_family;
    std::map<int, int> m_raster_heights; // point size -> pixel height of the loaded faces
    std::map<std::tuple<std::string, int, int, bool>, DialogFont> m_cache;
};

} // namespace ui::qt
