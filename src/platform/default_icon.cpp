// The default application icon: a plain window drawn at 32x32 pixels, the icon of
// programs whose own icon cannot be found.

#include "pe/icon_images.h"
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
    TIconImage image{kSize, {}};
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            image.Pixels.push_back(Pixel(x, y));
        }
    }
    return WriteIconFile({&image, 1});
}

} // namespace

const std::string& DefaultApplicationIcon() {
    static const std::string icon = DrawIcon();
    return icon;
}

} // namespace brivane::platform
