// Dialog fonts: loading the raster sans face, substitutes, and base units.
#include "ui/qt/dialog_font.h"
#include "ui/qt/fon_font.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QRawFont>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

namespace ui::qt {

namespace {

constexpr const char* k_raster_face = "MS Sans Serif";
constexpr const char* k_raster_file = "sserife.fon";
constexpr const char* k_debian_font_folder = "/usr/share/wine/fonts";
constexpr const char* k_substitute_face = "Liberation Sans";
constexpr int k_screen_dpi = 96;

bool same_face(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The base units the raster face has at point_size on a 96 dpi screen: the goal a substitute
// is sized for (6 x 13 at 8 points).
model::BaseUnits raster_goal(int point_size) {
    return {model::mul_div(6, point_size, 8), model::mul_div(13, point_size, 8)};
}

} // namespace

model::BaseUnits base_units_of(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(width / 26 + 1) / 2, metrics.height()};
}

std::optional<std::string> find_raster_sans_file() {
    std::vector<std::string> folders;
    const char* data_dirs = std::getenv("XDG_DATA_DIRS");
    std::stringstream list(
        data_dirs != nullptr && *data_dirs != '\0' ? data_dirs : "/usr/local/share:/usr/share");
    for (std::string dir; std::getline(list, dir, ':');)
        if (!dir.empty())
            folders.push_back(dir + "/wine/fonts");
    folders.emplace_back(k_debian_font_folder);
    for (const auto& folder : folders) {
        std::error_code error;
        const std::filesystem::path path = std::filesystem::path(folder) / k_raster_file;
        if (std::filesystem::is_regular_file(path, error))
            return path.string();
    }
    return std::nullopt;
}

DialogFonts::DialogFonts(RasterFonts raster) {
    if (raster == RasterFonts::avoid)
        return;
    const auto path = find_raster_sans_file();
    if (!path)
        return;
    QFile file(QString::fromStdString(*path));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    const auto faces = read_fon(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                static_cast<std::size_t>(bytes.size()));
    for (const auto& face : faces) {
        if (face.vertical_resolution != k_screen_dpi || face.italic || face.weight >= 600)
            continue;
        const std::string bdf = to_bdf(face);
        const int id = QFontDatabase::addApplicationFontFromData(
            QByteArray(bdf.data(), static_cast<qsizetype>(bdf.size())));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (id < 0 || families.isEmpty())
            continue;
        m_raster_family = families.front();
        m_raster_heights[face.points] = face.pixel_height;
    }
}

const DialogFont& DialogFonts::font_for(const model::FontSpec& spec) {
    const auto key = std::make_tuple(spec.face, spec.point_size, spec.weight, spec.italic);
    auto it = m_cache.find(key);
    if (it == m_cache.end())
        it = m_cache.emplace(key, make_font(spec)).first;
    return it->second;
}

DialogFont DialogFonts::make_font(const model::FontSpec& spec) const {
    const bool plain = spec.weight < 600 && !spec.italic;
    const auto height = m_raster_heights.find(spec.point_size);
    if (plain && same_face(spec.face, k_raster_face) && height != m_raster_heights.end()) {
        QFont font(m_raster_family);
        // The face's em: its pixel height less the internal leading, as the file names it.
        font.setPixelSize(model::mul_div(spec.point_size, k_screen_dpi, 72));
        font.setStyleStrategy(QFont::NoFontMerging);
        const QFontInfo info(font);
        const QRawFont raw = QRawFont::fromFont(font);
        if (info.family() == m_raster_family && raw.supportsCharacter(QChar('A')) &&
            QFontMetrics(font).height() == height->second)
            return {font, base_units_of(font), true};
    }
    return scalable_font(spec);
}

DialogFont DialogFonts::scalable_font(const model::FontSpec& spec) const {
    QString family = QString::fromStdString(spec.face);
    if (same_face(spec.face, k_raster_face) || !QFontDatabase::families().contains(family))
        family = QString::fromLatin1(k_substitute_face);
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(spec.weight >= 600 ? QFont::Bold : QFont::Normal);
    font.setItalic(spec.italic);

    // The pixel size whose base units come closest to the raster face's.
    const int point_size = spec.point_size > 0 ? spec.point_size : 8;
    const model::BaseUnits goal = raster_goal(point_size);
    int best_size = model::mul_div(point_size, k_screen_dpi, 72);
    int best_distance = -1;
    for (int size = std::max(1, goal.y - 5); size <= goal.y + 2; ++size) {
        font.setPixelSize(size);
        const model::BaseUnits base = base_units_of(font);
        const int distance = std::abs(base.x - goal.x) * 2 + std::abs(base.y - goal.y);
        if (best_distance < 0 || distance < best_distance) {
            best_distance = distance;
            best_size = size;
        }
    }
    font.setPixelSize(best_size);
    return {font, base_units_of(font), false};
}

} // namespace ui::qt
