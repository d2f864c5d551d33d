// The default application icon: a plain window drawn at 32x32 pixels, the icon of
// programs whose own icon cannot be found.

#include "base/little_endian.h"
#include "platform/executable_files.h"

#include <cstdint>

namespace brivane::platform {

namespace {

constexpr int kSize = 32;
constexpr std::uint32_t kClear = 0x00000000; // ARGB
constexpr std::uint32_t kFrame = 0xFF404850;
constexpr std::uint32_t kTitle = 0xFF3070C0;
constexpr std::uint32_t kButton = 0xFFE0E8F0;
constexpr std::uint32_t kClient = 0xFFF8F8F8;

// The colour of the pixel in column aX of row aY, counted from the top.
std::uint32_t Pixel(int aX, int aY) {
    constexpr int left = 2, top = 4, right = 29, bottom = 27, titleBottom = 9;
    if (aX < left || aX > right || aY < top || aY > bottom) {
        return kClear;
    }
    if (aX == left || aX == right || aY == top || aY == bottom) {
        return kFrame;
    }
    if (aY <= titleBottom) {
        const bool button =
            aY >= top + 2 && aY <= titleBottom - 1 && aX >= right - 5 && aX <= right - 2;
        return button ? kButton : kTitle;
    }
    return kClient;
}

std::string DrawIcon() {
    constexpr std::uint32_t maskRowSize = 4; // one bit per pixel, rows padded to 32 bits
    constexpr std::uint32_t imageSize = 40 + kSize * kSize * 4 + kSize * maskRowSize;
    std::string icon;
    AppendWord(icon, 0); // icon file header: reserved, type 1, one image
    AppendWord(icon, 1);
    AppendWord(icon, 1);
    icon += static_cast<char>(kSize); // width, height, no palette, reserved
    icon += static_cast<char>(kSize);
    icon += '\0';
    icon += '\0';
    AppendWord(icon, 1);  // planes
    AppendWord(icon, 32); // bits per pixel
    AppendDWord(icon, imageSize);
    AppendDWord(icon, 22);

    AppendDWord(icon, 40); // bitmap header; the height counts the colour and mask halves
    AppendDWord(icon, kSize);
    AppendDWord(icon, 2 * kSize);
    AppendWord(icon, 1);
    AppendWord(icon, 32);
    for (int i = 0; i < 6; ++i) {
        AppendDWord(icon, 0); // no compression, sizes and palette left to the reader
    }
    for (int y = kSize - 1; y >= 0; --y) { // bottom-up rows of blue, green, red, alpha
        for (int x = 0; x < kSize; ++x) {
            AppendDWord(icon, Pixel(x, y));
        }
    }
    for (int y = kSize - 1; y >= 0; --y) { // the mask marks transparent pixels
        std::uint32_t bits = 0;
        for (int x = 0; x < kSize; ++x) {
            if (Pixel(x, y) == kClear) {
                bits |= 0x80000000u >> x;
            }
        }
        for (int shift = 24; shift >= 0; shift -= 8) {
            icon += static_cast<char>((bits >> shift) & 0xFF);
        }
    }
    return icon;
}

} // namespace

const std::string& DefaultApplicationIcon() {
    static const std::string icon = DrawIcon();
    return icon;
}

} // namespace brivane::platform
