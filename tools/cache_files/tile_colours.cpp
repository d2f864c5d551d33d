#include "tile_colours.h"

#include <algorithm>
#include <cmath>

namespace brivane::tools {

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kDark = 0x212121;

// Nine hues far apart: red, orange, amber, green, teal, blue, purple, brown and grey.
std::uint32_t Background(TSoftwareCategory aCategory) {
    switch (aCategory) {
    case scGraphics:
        return 0x8E24AA; // purple
    case scMultimedia:
        return 0xF57C00; // orange
    case scInternetNetwork:
        return 0x1976D2; // blue
    case scSystem:
        return 0x00796B; // teal
    case scSecurity:
        return 0xC62828; // red
    case scOffice:
        return 0xFBC02D; // amber
    case scDevelopment:
        return 0x6D4C41; // brown
    case scScienceEducation:
        return 0x7CB342; // green
    default:
        return 0x616161; // grey: no category
    }
}

double Channel(std::uint32_t aValue) {
    const double c = aValue / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(std::uint32_t aColour) {
    return 0.2126 * Channel((aColour >> 16) & 0xFF) + 0.7152 * Channel((aColour >> 8) & 0xFF) +
           0.0722 * Channel(aColour & 0xFF);
}

} // namespace

double ContrastRatio(std::uint32_t aFirst, std::uint32_t aSecond) {
    const double first = Luminance(aFirst);
    const double second = Luminance(aSecond);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

TTileColours TileColours(TSoftwareCategory aCategory) {
    const std::uint32_t background = Background(aCategory);
    return {background,
            ContrastRatio(background, kWhite) >= ContrastRatio(background, kDark) ? kWhite : kDark};
}

} // namespace brivane::tools
