// Reading raster faces from .fon files and writing them as BDF.
#include "ui/qt/dialog_font.h"
#include "ui/qt/fon_font.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace ui::qt {
namespace {

void put16(std::vector<std::uint8_t>& b, std::size_t at, unsigned v) {
    b[at] = static_cast<std::uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

// A .fon with one 3-pixel-high face "Tiny" holding 'A' (10 pixels wide, so two byte columns)
// and 'B' (width 0: not in the face).
std::vector<std::uint8_t> tiny_fon() {
    constexpr std::size_t ne = 0x40, resources = 0x80, fnt = 0x100;
    constexpr std::size_t table = fnt + 118, face_name = table + 3 * 4, bits = face_name + 5;
    std::vector<std::uint8_t> b(bits + 6, 0);
    put16(b, 0, 0x5A4D);
    put32(b, 0x3C, ne);
    put16(b, ne, 0x454E);
    put16(b, ne + 0x24, resources - ne);
    put16(b, resources, 0); // alignment shift
    put16(b, resources + 2, 0x8008);
    put16(b, resources + 4, 1);
    put16(b, resources + 10, fnt);
    put16(b, resources + 12, static_cast<unsigned>(b.size() - fnt));
    put16(b, fnt, 0x200);
    put16(b, fnt + 68, 8);   // points
    put16(b, fnt + 70, 96);  // vertical resolution
    put16(b, fnt + 72, 96);  // horizontal resolution
    put16(b, fnt + 74, 2);   // ascent
    put16(b, fnt + 76, 1);   // internal leading
    put16(b, fnt + 83, 400); // weight
    put16(b, fnt + 88, 3);   // pixel height
    b[fnt + 95] = 'A';
    b[fnt + 96] = 'B';
    put32(b, fnt + 105, static_cast<std::uint32_t>(face_name - fnt));
    put16(b, table, 10);
    put16(b, table + 2, static_cast<unsigned>(bits - fnt));
    put16(b, table + 4, 0);
    for (std::size_t i = 0; i < 4; ++i)
        b[face_name + i] = static_cast<std::uint8_t>("Tiny"[i]);
    const std::uint8_t columns[] = {0x80, 0x40, 0xFF, 0x40, 0x00, 0xC0};
    std::copy(std::begin(columns), std::end(columns), b.begin() + static_cast<long>(bits));
    return b;
}

TEST(FonFont, ReadsTheFaceAndTurnsByteColumnsIntoRows) {
    const auto file = tiny_fon();
    const auto faces = read_fon(file.data(), file.size());
    ASSERT_EQ(faces.size(), 1u);
    const BitmapFace& face = faces[0];
    EXPECT_EQ(face.family, "Tiny");
    EXPECT_EQ(face.points, 8);
    EXPECT_EQ(face.pixel_height, 3);
    EXPECT_EQ(face.ascent, 2);
    ASSERT_EQ(face.glyphs.size(), 1u); // 'B' has no width
    EXPECT_EQ(face.glyphs[0].code, 'A');
    EXPECT_EQ(face.glyphs[0].width, 10);
    EXPECT_EQ(face.glyphs[0].rows, (std::vector<std::uint8_t>{0x80, 0x40, 0x40, 0x00, 0xFF, 0xC0}));
    EXPECT_EQ(find_face(faces, 3), &faces[0]);
    EXPECT_EQ(find_face(faces, 13), nullptr);
}

TEST(FonFont, TruncatedOrForeignFilesGiveNoFace) {
    const auto file = tiny_fon();
    const struct {
        const char* name;
        std::size_t size;
    } cuts[] = {
        {"empty", 0},
        {"inside the DOS header", 0x20},
        {"inside the NE header", 0x50},
        {"inside the resource table", 0x88},
        {"inside the face header", 0x120},
        {"inside the glyph bits", file.size() - 1},
    };
    for (const auto& cut : cuts) {
        SCOPED_TRACE(cut.name);
        EXPECT_TRUE(read_fon(file.data(), cut.size).empty());
    }
    auto not_exe = file;
    not_exe[0] = 'X';
    EXPECT_TRUE(read_fon(not_exe.data(), not_exe.size()).empty());
}

TEST(FonFont, WritesBdfWithUnicodeEncodingAndTheFaceMetrics) {
    const auto file = tiny_fon();
    const std::string bdf = to_bdf(read_fon(file.data(), file.size()).at(0));
    for (const char* line :
         {"STARTFONT 2.1\n", "FAMILY_NAME \"Tiny\"\n", "PIXEL_SIZE 2\n", "FONT_ASCENT 2\n",
          "FONT_DESCENT 1\n", "CHARSET_REGISTRY \"ISO10646\"\n", "CHARS 1\n", "ENCODING 65\n",
          "DWIDTH 10 0\n", "BBX 10 3 0 -1\nBITMAP\n8040\n4000\nFFC0\nENDCHAR\n", "ENDFONT\n"}) {
        EXPECT_NE(bdf.find(line), std::string::npos) << line;
    }
}

TEST(FonFont, TheInstalledSansFaceHasTheClassicDialogMetrics) {
    const auto path = find_raster_sans_file();
    if (!path)
        GTEST_SKIP() << "no raster sans font installed";
    std::ifstream in(*path, std::ios::binary);
    const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    const auto faces = read_fon(file.data(), file.size());
    const BitmapFace* face = find_face(faces, 13);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->points, 8);
    int letters = 0;
    for (const auto& glyph : face->glyphs)
        if ((glyph.code >= 'A' && glyph.code <= 'Z') || (glyph.code >= 'a' && glyph.code <= 'z'))
            letters += glyph.width;
    EXPECT_EQ((letters / 26 + 1) / 2, 6);
}

} // namespace
} // namespace ui::qt
