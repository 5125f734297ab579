// .fon reading (executable header, font resources, raster face records) and BDF writing.
#include "ui/qt/fon_font.h"

#include "ui/res/byte_reader.h"

#include <cstdio>

namespace ui::qt {

namespace {

using Reader = res::ByteReader;

constexpr std::uint16_t k_font_resource = 0x8008; // RT_FONT with the integer-id bit
constexpr std::size_t k_v2_table = 118;
constexpr std::size_t k_v3_table = 148;

// Code page 1252 at 0x80-0x9F; 0 where the code page leaves the byte undefined.
constexpr std::uint16_t k_cp1252_high[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The Unicode code point of byte in the face's character set; 0 when it has none.
int unicode_of(int byte, int charset) {
    if (byte < 0x80)
        return byte;
    if (charset != 0)
        return 0; // only the ANSI set is mapped beyond ASCII
    if (byte < 0xA0)
        return k_cp1252_high[byte - 0x80];
    return byte;
}

std::string c_string_at(const Reader& r, std::size_t offset) {
    std::string text;
    while (r.has(offset, 1) && r.u8(offset) != 0 && text.size() < 64)
        text.push_back(static_cast<char>(r.u8(offset++)));
    return text;
}

bool read_face(const Reader& r, BitmapFace& face) {
    if (!r.has(0, k_v2_table))
        return false;
    const unsigned version = r.u16(0);
    if ((version != 0x200 && version != 0x300) || (r.u16(66) & 1) != 0)
        return false; // older or vector fonts
    face.points = r.u16(68);
    face.vertical_resolution = r.u16(70);
    face.horizontal_resolution = r.u16(72);
    face.ascent = r.u16(74);
    face.internal_leading = r.u16(76);
    face.italic = r.u8(80) != 0;
    face.weight = r.u16(83);
    const int charset = r.u8(85);
    face.pixel_height = r.u16(88);
    const int first = r.u8(95);
    const int last = r.u8(96);
    face.default_code = unicode_of(first + r.u8(97), charset);
    face.family = c_string_at(r, r.u32(105));
    if (face.pixel_height <= 0 || face.ascent > face.pixel_height || last < first)
        return false;

    const bool v3 = version == 0x300;
    const std::size_t table = v3 ? k_v3_table : k_v2_table;
    const std::size_t entry_size = v3 ? 6 : 4;
    const auto height = static_cast<std::size_t>(face.pixel_height);
    for (int byte = first; byte <= last; ++byte) {
        const std::size_t entry = table + static_cast<std::size_t>(byte - first) * entry_size;
        if (!r.has(entry, entry_size))
            return false;
        const int code = unicode_of(byte, charset);
        if (code == 0)
            continue;
        BitmapGlyph glyph;
        glyph.code = code;
        glyph.width = r.u16(entry);
        if (glyph.width == 0)
            continue; // not in the face
        const std::size_t bits = v3 ? r.u32(entry + 2) : r.u16(entry + 2);
        const std::size_t columns = (static_cast<std::size_t>(glyph.width) + 7) / 8;
        if (!r.has(bits, columns * height))
            return false;
        // The file stores each 8-pixel column top to bottom; BDF wants whole rows.
        glyph.rows.resize(columns * height);
        for (std::size_t row = 0; row < height; ++row)
            for (std::size_t column = 0; column < columns; ++column)
                glyph.rows[row * columns + column] = r.u8(bits + column * height + row);
        face.glyphs.push_back(std::move(glyph));
    }
    return !face.glyphs.empty();
}

void append_line(std::string& out, const char* format, auto... values) {
    char line[160];
    std::snprintf(line, sizeof line, format, values...);
    out += line;
    out += '\n';
}

} // namespace

std::vector<BitmapFace> read_fon(const std::uint8_t* data, std::size_t size) {
    std::vector<BitmapFace> faces;
    const Reader r(data, size);
    if (!r.has(0, 0x40) || r.u16(0) != 0x5A4D) // "MZ"
        return faces;
    const std::size_t ne = r.u32(0x3C);
    if (!r.has(ne, 0x40) || r.u16(ne) != 0x454E) // "NE"
        return faces;
    std::size_t entry = ne + r.u16(ne + 0x24);
    if (!r.has(entry, 2))
        return faces;
    const unsigned shift = r.u16(entry);
    if (shift > 16)
        return faces;
    entry += 2;
    while (r.has(entry, 8)) {
        const unsigned type = r.u16(entry);
        if (type == 0)
            break;
        const unsigned count = r.u16(entry + 2);
        entry += 8;
        for (unsigned i = 0; i < count; ++i, entry += 12) {
            if (!r.has(entry, 12))
                return faces;
            if (type != k_font_resource)
                continue;
            const std::size_t offset = static_cast<std::size_t>(r.u16(entry)) << shift;
            const std::size_t length = static_cast<std::size_t>(r.u16(entry + 2)) << shift;
            if (!r.has(offset, length))
                continue;
            BitmapFace face;
            if (read_face(r.sub(offset, length), face))
                faces.push_back(std::move(face));
        }
    }
    return faces;
}

const BitmapFace* find_face(const std::vector<BitmapFace>& faces, int pixel_height) {
    for (const auto& face : faces)
        if (face.pixel_height == pixel_height)
            return &face;
    return nullptr;
}

std::string to_bdf(const BitmapFace& face) {
    const int descent = face.pixel_height - face.ascent;
    const int em = face.pixel_height - face.internal_leading;
    int widest = 0;
    for (const auto& glyph : face.glyphs)
        widest = glyph.width > widest ? glyph.width : widest;
    const char* weight = face.weight >= 600 ? "Bold" : "Medium";
    const char* slant = face.italic ? "I" : "R";

    std::string out;
    append_line(out, "STARTFONT 2.1");
    append_line(out, "FONT -zelt-%s-%s-%s-Normal--%d-%d-%d-%d-P-%d-ISO10646-1", face.family.c_str(),
                weight, slant, em, face.points * 10, face.horizontal_resolution,
                face.vertical_resolution, widest * 10);
    append_line(out, "SIZE %d %d %d", face.points, face.horizontal_resolution,
                face.vertical_resolution);
    append_line(out, "FONTBOUNDINGBOX %d %d 0 %d", widest, face.pixel_height, -descent);
    append_line(out, "STARTPROPERTIES 12");
    append_line(out, "FAMILY_NAME \"%s\"", face.family.c_str());
    append_line(out, "WEIGHT_NAME \"%s\"", weight);
    append_line(out, "SLANT \"%s\"", slant);
    append_line(out, "PIXEL_SIZE %d", em);
    append_line(out, "POINT_SIZE %d", face.points * 10);
    append_line(out, "RESOLUTION_X %d", face.horizontal_resolution);
    append_line(out, "RESOLUTION_Y %d", face.vertical_resolution);
    append_line(out, "SPACING \"P\"");
    append_line(out, "FONT_ASCENT %d", face.ascent);
    append_line(out, "FONT_DESCENT %d", descent);
    append_line(out, "CHARSET_REGISTRY \"ISO10646\"");
    append_line(out, "CHARSET_ENCODING \"1\"");
    append_line(out, "ENDPROPERTIES");
    append_line(out, "CHARS %zu", face.glyphs.size());
    for (const auto& glyph : face.glyphs) {
        append_line(out, "STARTCHAR U+%04X", glyph.code);
        append_line(out, "ENCODING %d", glyph.code);
        const int scalable = face.points > 0 && face.horizontal_resolution > 0
                                 ? glyph.width * 72000 / (face.points * face.horizontal_resolution)
                                 : 0;
        append_line(out, "SWIDTH %d 0", scalable);
        append_line(out, "DWIDTH %d 0", glyph.width);
        append_line(out, "BBX %d %d 0 %d", glyph.width, face.pixel_height, -descent);
        append_line(out, "BITMAP");
        const std::size_t columns = (static_cast<std::size_t>(glyph.width) + 7) / 8;
        for (int row = 0; row < face.pixel_height; ++row) {
            std::string hex;
            for (std::size_t column = 0; column < columns; ++column) {
                char pair[3];
                std::snprintf(pair, sizeof pair, "%02X",
                              glyph.rows[static_cast<std::size_t>(row) * columns + column]);
                hex += pair;
            }
            if (hex.empty())
                hex = "00";
            out += hex;
            out += '\n';
        }
        append_line(out, "ENDCHAR");
    }
    append_line(out, "ENDFONT");
    return out;
}

} // namespace ui::qt
