// .ico decoding: the program's icon and damaged files.
#include "ui/rc/rc_compiler.h"
#include "ui/res/ico_decoder.h"

#include <gtest/gtest.h>

namespace ui::res {
namespace {

std::string program_icon() {
    auto bytes = rc::read_disk_file(std::string(ZELT_SOURCE_DIR) + "/app/res/ZeltGUI.ico");
    return bytes.value_or("");
}

IcoResult decode(const std::string& bytes) {
    return decode_ico(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

TEST(IcoDecoderTest, TheProgramIconHas32And16PixelImagesWithTransparentCorners) {
    const auto result = decode(program_icon());
    ASSERT_TRUE(result.icon) << result.error;
    ASSERT_EQ(result.icon->images.size(), 2u);
    for (const auto& [image, size] :
         {std::pair{result.icon->images[0], 32}, std::pair{result.icon->images[1], 16}}) {
        EXPECT_EQ(image.width, size);
        EXPECT_EQ(image.height, size);
        ASSERT_EQ(image.rgba.size(), static_cast<std::size_t>(size * size * 4));
        EXPECT_EQ(image.rgba[3], 0) << "top-left corner is transparent";
        int opaque = 0;
        for (std::size_t i = 3; i < image.rgba.size(); i += 4)
            opaque += image.rgba[i] == 255;
        EXPECT_GT(opaque, size * size / 3) << "the cubes cover much of the image";
    }
    EXPECT_EQ(result.icon->best_image(32)->width, 32);
    EXPECT_EQ(result.icon->best_image(20)->width, 32);
    EXPECT_EQ(result.icon->best_image(48)->width, 32);
}

TEST(IcoDecoderTest, EveryTruncationFailsCleanly) {
    const std::string whole = program_icon();
    ASSERT_FALSE(whole.empty());
    // Cutting anywhere must give an error, never a read past the end (ASan watches).
    for (std::size_t size = 0; size < whole.size(); size += 7) {
        const auto result = decode(whole.substr(0, size));
        EXPECT_FALSE(result.icon) << "size " << size;
        EXPECT_FALSE(result.error.empty());
    }
}

TEST(IcoDecoderTest, RefusesOtherFiles) {
    EXPECT_EQ(decode("GIF89a").error, "not an icon file");
    EXPECT_EQ(decode(std::string("\0\0\1\0\0\0", 6)).error, "icon directory truncated");
    EXPECT_EQ(decode_ico(nullptr, 0).error, "not an icon file");
}

} // namespace
} // namespace ui::res
