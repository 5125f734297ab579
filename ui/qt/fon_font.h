// Windows raster font files (.fon): reads their bitmap faces and writes one out as a BDF font.
// The desktop toolkit cannot map characters to glyphs in a .fon face (its character map has no
// encoding), but it loads the same glyphs as BDF with a Unicode character map.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ui::qt {

struct BitmapGlyph {
    int code = 0;  // Unicode code point
    int width = 0; // pixels; also the advance
    // pixel_height rows, top first, each (width + 7) / 8 bytes, most significant bit leftmost.
    std::vector<std::uint8_t> rows;
};

struct BitmapFace {
    std::string family;
    int points = 0;
    int vertical_resolution = 96;
    int horizontal_resolution = 96;
    int pixel_height = 0; // ascent + descent, internal leading included
    int ascent = 0;
    int internal_leading = 0;
    int weight = 400;
    bool italic = false;
    int default_code = 0; // Unicode code point of the default character
    std::vector<BitmapGlyph> glyphs;
};

// The faces of a .fon file (a 16-bit executable with font resources). Never reads outside data;
// a malformed file or face yields fewer faces, possibly none.
std::vector<BitmapFace> read_fon(const std::uint8_t* data, std::size_t size);

// The face with this pixel height, else null.
const BitmapFace* find_face(const std::vector<BitmapFace>& faces, int pixel_height);

// The face as a BDF 2.1 font: ISO 10646 encoding, pixel size = height less internal leading.
std::string to_bdf(const BitmapFace& face);

} // namespace ui::qt
