// Fuzzes the .ico decoder: never reads outside the input, and a decoded image has its pixels.
#include "ui/res/ico_decoder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto result = ui::res::decode_ico(data, size);
    if (result.icon)
        for (const auto& image : result.icon->images)
            if (image.rgba.size() != static_cast<std::size_t>(image.width) * image.height * 4)
                __builtin_trap();
    return 0;
}
