// Decodes .ico files (uncompressed 1, 4, 8, 24 and 32 bits per pixel, and PNG-free) into RGBA.
#pragma once

#include "ui/model/icon.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace ui::res {

struct IcoResult {
    std::optional<model::Icon> icon;
    std::string error; // why decoding failed, when icon is empty
};

// Never reads outside data; a truncated or malformed file yields an error, not a crash.
IcoResult decode_ico(const std::uint8_t* data, std::size_t size);

} // namespace ui::res
