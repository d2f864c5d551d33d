#include "pe/icon_images.h"

#include "base/little_endian.h"
#include "pe/pe_format.h"

#include <stdexcept>

namespace brivane {

namespace {

using pe_format::kIconDirEntrySize;
using pe_format::kIconDirSize;

constexpr std::uint32_t kBitmapHeaderSize = 40;

// One bit per pixel, rows padded to 32 bits.
std::uint32_t MaskRowSize(int aSize) {
    return static_cast<std::uint32_t>((aSize + 31) / 32 * 4);
}

std::uint32_t ImageBytes(const TIconImage& aImage) {
    const auto size = static_cast<std::uint32_t>(aImage.Size);
    return kBitmapHeaderSize + size * size * 4 + size * MaskRowSize(aImage.Size);
}

void AppendImage(std::string& aOut, const TIconImage& aImage) {
    const int size = aImage.Size;
    AppendDWord(aOut, kBitmapHeaderSize); // the height counts the colour and mask halves
    AppendDWord(aOut, static_cast<std::uint32_t>(size));
    AppendDWord(aOut, static_cast<std::uint32_t>(2 * size));
    AppendWord(aOut, 1);  // planes
    AppendWord(aOut, 32); // bits per pixel
    for (int i = 0; i < 6; ++i) {
        AppendDWord(aOut, 0); // no compression, sizes and palette left to the reader
    }
    const auto pixel = [&aImage](int aX, int aY) {
        return aImage.Pixels[static_cast<std::size_t>(aY * aImage.Size + aX)];
    };
    for (int y = size - 1; y >= 0; --y) { // bottom-up rows of blue, green, red, alpha
        for (int x = 0; x < size; ++x) {
            AppendDWord(aOut, pixel(x, y));
        }
    }
    for (int y = size - 1; y >= 0; --y) { // the mask marks the fully transparent pixels
        std::string row(MaskRowSize(size), '\0');
        for (int x = 0; x < size; ++x) {
            if ((pixel(x, y) >> 24) == 0) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
            }
        }
        aOut += row;
    }
}

} // namespace

std::string WriteIconFile(std::span<const TIconImage> aImages) {
    if (aImages.empty() || aImages.size() > 0xFFFF) {
        throw std::invalid_argument("An icon file holds 1 to 65535 images");
    }
    for (const TIconImage& image : aImages) {
        if (image.Size < 1 || image.Size > 256 ||
            image.Pixels.size() != static_cast<std::size_t>(image.Size * image.Size)) {
            throw std::invalid_argument("An icon image is a square of 1 to 256 pixels");
        }
    }
    std::string icon;
    AppendWord(icon, 0); // reserved, type 1 (icon), count
    AppendWord(icon, 1);
    AppendWord(icon, static_cast<std::uint16_t>(aImages.size()));
    std::uint32_t offset =
        kIconDirSize + kIconDirEntrySize * static_cast<std::uint32_t>(aImages.size());
    for (const TIconImage& image : aImages) {
        const char side = static_cast<char>(image.Size == 256 ? 0 : image.Size);
        icon += side; // width, height, no palette, reserved
        icon += side;
        icon += '\0';
        icon += '\0';
        AppendWord(icon, 1);  // planes
        AppendWord(icon, 32); // bits per pixel
        AppendDWord(icon, ImageBytes(image));
        AppendDWord(icon, offset);
        offset += ImageBytes(image);
    }
    for (const TIconImage& image : aImages) {
        AppendImage(icon, image);
    }
    return icon;
}

} // namespace brivane
