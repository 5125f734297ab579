// Icons as pixels: the images of one icon resource, decoded for the front ends.
#pragma once

#include <cstdint>
#include <vector>

namespace ui::model {

struct IconImage {
    int width = 0;
    int height = 0;
    // width * height * 4 bytes, rows top to bottom, each pixel R, G, B, A (A 0 = transparent).
    std::vector<std::uint8_t> rgba;
};

struct Icon {
    int resource_id = 0;
    std::vector<IconImage> images;

    // The image closest to size (exact, else the next larger, else the largest); null if none.
    const IconImage* best_image(int size) const;
};

} // namespace ui::model
