#include "support/icon_decoder.h"

#include "base/little_endian.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace brivane::test {

namespace {

void Require(bool aCondition, const std::string& aFault) {
    if (!aCondition) {
        throw std::runtime_error("Not a 32-bit icon file: " + aFault);
    }
}

TIconImage DecodeImage(std::string_view aImage, int aSize) {
    const std::size_t size = static_cast<std::size_t>(aSize);
    const std::size_t maskRow = (size + 31) / 32 * 4;
    Require(aImage.size() == 40 + size * size * 4 + size * maskRow, "image length");
    Require(ReadDWord(aImage, 0) == 40, "bitmap header size");
    Require(ReadDWord(aImage, 4) == size && ReadDWord(aImage, 8) == 2 * size, "bitmap size");
    Require(ReadWord(aImage, 12) == 1 && ReadWord(aImage, 14) == 32, "planes or bit count");
    Require(ReadDWord(aImage, 16) == 0, "compression");
    TIconImage image{aSize, std::vector<std::uint32_t>(size * size)};
    const std::size_t mask = 40 + size * size * 4;
    for (std::size_t row = 0; row < size; ++row) { // bottom-up
        const std::size_t y = size - 1 - row;
        for (std::size_t x = 0; x < size; ++x) {
            const std::uint32_t pixel = ReadDWord(aImage, 40 + (row * size + x) * 4);
            const bool clear = (static_cast<unsigned char>(aImage[mask + row * maskRow + x / 8]) &
                                (0x80 >> (x % 8))) != 0;
            Require(clear == ((pixel >> 24) == 0), "mask disagrees with alpha");
            image.Pixels[y * size + x] = pixel;
        }
    }
    return image;
}

} // namespace

std::vector<TIconImage> DecodeIconFile(std::string_view aBytes) {
    Require(aBytes.size() >= 6, "shorter than its header");
    Require(ReadWord(aBytes, 0) == 0 && ReadWord(aBytes, 2) == 1, "header");
    const std::size_t count = ReadWord(aBytes, 4);
    Require(count > 0, "no images");
    Require(aBytes.size() >= 6 + 16 * count, "directory cut off");
    std::vector<TIconImage> images;
    std::uint64_t end = 6 + 16 * count;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view entry = aBytes.substr(6 + 16 * i, 16);
        const int width = static_cast<unsigned char>(entry[0]);
        Require(width == static_cast<unsigned char>(entry[1]), "image not square");
        Require(ReadWord(entry, 4) == 1 && ReadWord(entry, 6) == 32, "entry planes or bit count");
        const std::uint64_t length = ReadDWord(entry, 8);
        const std::uint64_t offset = ReadDWord(entry, 12);
        Require(offset + length <= aBytes.size(), "image outside the file");
        end = std::max(end, offset + length);
        images.push_back(DecodeImage(aBytes.substr(offset, length), width == 0 ? 256 : width));
    }
    Require(end == aBytes.size(), "bytes after the last image");
    return images;
}

} // namespace brivane::test
