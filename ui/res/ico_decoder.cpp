// .ico decoding: directory, bitmap header, palette, colour rows and the transparency mask.
#include "ui/res/ico_decoder.h"

#include "ui/res/byte_reader.h"

#include <cstring>
#include <limits>

namespace ui::res {

namespace {

using Reader = ByteReader;

constexpr std::size_t k_dir_size = 6;
constexpr std::size_t k_entry_size = 16;
constexpr std::size_t k_header_size = 40;

std::size_t row_bytes(std::size_t width, unsigned bits) {
    return ((width * bits + 31) / 32) * 4;
}

std::optional<model::IconImage> decode_image(const Reader& r, std::size_t offset,
                                             std::size_t length, std::string& error) {
    if (!r.has(offset, length) || length < k_header_size || !r.has(offset, k_header_size)) {
        error = "image outside the file";
        return std::nullopt;
    }
    if (r.u32(offset) != k_header_size) {
        error = "unsupported image header (PNG images are not supported)";
        return std::nullopt;
    }
    const auto width = static_cast<std::int32_t>(r.u32(offset + 4));
    const auto double_height = static_cast<std::int32_t>(r.u32(offset + 8));
    const unsigned bits = r.u16(offset + 14);
    const std::uint32_t compression = r.u32(offset + 16);
    std::uint32_t colours_used = r.u32(offset + 32);
    if (width <= 0 || width > 256 || double_height <= 0 || double_height > 512 ||
        double_height % 2 != 0) {
        error = "bad image size";
        return std::nullopt;
    }
    if (compression != 0) {
        error = "compressed images are not supported";
        return std::nullopt;
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
        error = "unsupported bits per pixel";
        return std::nullopt;
    }
    const std::size_t w = static_cast<std::size_t>(width);
    const std::size_t h = static_cast<std::size_t>(double_height / 2);
    std::size_t palette_count = 0;
    if (bits <= 8) {
        const std::uint32_t full = 1u << bits;
        palette_count = (colours_used == 0 || colours_used > full) ? full : colours_used;
    }
    const std::size_t palette_at = offset + k_header_size;
    const std::size_t colour_at = palette_at + palette_count * 4;
    const std::size_t colour_row = row_bytes(w, bits);
    const std::size_t mask_at = colour_at + colour_row * h;
    const std::size_t mask_row = row_bytes(w, 1);
    const std::size_t end = offset + length;
    if (mask_at + mask_row * h > end || !r.has(palette_at, mask_at + mask_row * h - palette_at)) {
        error = "image data truncated";
        return std::nullopt;
    }

    model::IconImage image;
    image.width = width;
    image.height = static_cast<int>(h);
    image.rgba.resize(w * h * 4);
    for (std::size_t y = 0; y < h; ++y) {
        // Rows are stored bottom-up.
        const std::size_t src = colour_at + (h - 1 - y) * colour_row;
        const std::size_t mask = mask_at + (h - 1 - y) * mask_row;
        for (std::size_t x = 0; x < w; ++x) {
            std::uint8_t red = 0, green = 0, blue = 0, alpha = 255;
            if (bits <= 8) {
                const std::size_t bit = x * bits;
                const unsigned byte = r.u8(src + bit / 8);
                const unsigned shift = 8 - bits - static_cast<unsigned>(bit % 8);
                const unsigned index = (byte >> shift) & ((1u << bits) - 1);
                if (index < palette_count) {
                    blue = r.u8(palette_at + index * 4);
                    green = r.u8(palette_at + index * 4 + 1);
                    red = r.u8(palette_at + index * 4 + 2);
                }
            } else {
                const std::size_t at = src + x * (bits / 8);
                blue = r.u8(at);
                green = r.u8(at + 1);
                red = r.u8(at + 2);
                if (bits == 32)
                    alpha = r.u8(at + 3);
            }
            const bool transparent = ((r.u8(mask + x / 8) >> (7 - x % 8)) & 1) != 0;
            if (transparent && bits != 32)
                alpha = 0;
            std::uint8_t* out = &image.rgba[(y * w + x) * 4];
            out[0] = red;
            out[1] = green;
            out[2] = blue;
            out[3] = alpha;
        }
    }
    return image;
}

} // namespace

IcoResult decode_ico(const std::uint8_t* data, std::size_t size) {
    IcoResult result;
    const Reader r(data, size);
    if (data == nullptr || !r.has(0, k_dir_size) || r.u16(0) != 0 || r.u16(2) != 1) {
        result.error = "not an icon file";
        return result;
    }
    const std::size_t count = r.u16(4);
    if (count == 0 || !r.has(k_dir_size, count * k_entry_size)) {
        result.error = "icon directory truncated";
        return result;
    }
    model::Icon icon;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = k_dir_size + i * k_entry_size;
        const std::size_t length = r.u32(entry + 8);
        const std::size_t offset = r.u32(entry + 12);
        auto image = decode_image(r, offset, length, result.error);
        if (!image)
            return result;
        icon.images.push_back(std::move(*image));
    }
    result.error.clear();
    result.icon = std::move(icon);
    return result;
}

} // namespace ui::res
