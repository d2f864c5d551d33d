#pragma once
// The colours of a program's icon tile: one background per category, and letters in
// white or in a dark grey, whichever stands out more against it.

#include "catalogue/software_types.h"

#include <cstdint>

namespace brivane::tools {

struct TTileColours {
    std::uint32_t Background = 0; // 0xRRGGBB
    std::uint32_t Letters = 0;
};

TTileColours TileColours(TSoftwareCategory aCategory);

// The contrast ratio of two colours (0xRRGGBB) as WCAG defines it: 1 to 21.
double ContrastRatio(std::uint32_t aFirst, std::uint32_t aSecond);

} // namespace brivane::tools
