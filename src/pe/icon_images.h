#pragma once
// Icon files (.ico) of 32-bit images drawn in memory: each image a bitmap of blue,
// green, red and alpha with the mask that older readers use.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace brivane {

// A square image of Size x Size pixels, rows from the top, each pixel 0xAARRGGBB with
// straight (not premultiplied) alpha.
struct TIconImage {
    int Size = 0;
    std::vector<std::uint32_t> Pixels;
};

// The icon file holding aImages in their order. Sizes run from 1 to 256 pixels.
std::string WriteIconFile(std::span<const TIconImage> aImages);

} // namespace brivane
