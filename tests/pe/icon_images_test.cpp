#include "base/little_endian.h"
#include "pe/executable_icons.h"
#include "pe/icon_images.h"
#include "support/icon_decoder.h"

#include <gtest/gtest.h>

using namespace brivane;

namespace {

// A square of aSize pixels whose pixels all differ, with clear and partly clear ones.
TIconImage Pattern(int aSize) {
    TIconImage image{aSize, {}};
    for (int y = 0; y < aSize; ++y) {
        for (int x = 0; x < aSize; ++x) {
            const auto alpha = static_cast<std::uint32_t>((x + y) % 3 == 0 ? 0 : (x * 7 + y) % 256);
            image.Pixels.push_back(alpha << 24 | static_cast<std::uint32_t>(y * aSize + x));
        }
    }
    return image;
}

} // namespace

TEST(IconImagesTest, WritesEveryImageThatReadsBackPixelForPixel) {
    const std::vector<TIconImage> images = {Pattern(16), Pattern(33), Pattern(1), Pattern(256)};
    const std::string icon = WriteIconFile(images);
    ASSERT_TRUE(IsIconFile(icon));
    EXPECT_EQ(ReadWord(icon, 4), 4);
    EXPECT_EQ(static_cast<unsigned char>(icon[6 + 16 * 3]), 0); // 256 is written as 0
    const auto decoded = test::DecodeIconFile(icon);
    ASSERT_EQ(decoded.size(), images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        EXPECT_EQ(decoded[i].Size, images[i].Size);
        EXPECT_EQ(decoded[i].Pixels, images[i].Pixels) << images[i].Size;
    }
}

TEST(IconImagesTest, RefusesImagesItCannotStore) {
    EXPECT_THROW(WriteIconFile({}), std::invalid_argument);
    for (const TIconImage& bad :
         {TIconImage{0, {}}, TIconImage{257, std::vector<std::uint32_t>(257 * 257)},
          TIconImage{2, std::vector<std::uint32_t>(3)}}) {
        EXPECT_THROW(WriteIconFile({&bad, 1}), std::invalid_argument) << bad.Size;
    }
}

TEST(IconDecoderTest, DamagedIconsAreRefused) {
    const TIconImage image = Pattern(16);
    const std::string icon = WriteIconFile({&image, 1});
    for (std::size_t length = 0; length < icon.size(); length += 7) {
        EXPECT_THROW(test::DecodeIconFile(icon.substr(0, length)), std::runtime_error) << length;
    }
    const auto damaged = [&icon](std::size_t aOffset, char aByte) {
        std::string copy = icon;
        copy[aOffset] = aByte;
        return copy;
    };
    for (const std::string& bad : {damaged(2, 2),                          // a cursor, not an icon
                                   damaged(7, 8),                          // not square
                                   damaged(12, 8),                         // 8 bits per pixel
                                   damaged(22 + 14, 24),                   // the bitmap's bit count
                                   damaged(22 + 40 + 16 * 16 * 4, '\xFF'), // mask against alpha
                                   icon + "trailing"}) {
        EXPECT_THROW(test::DecodeIconFile(bad), std::runtime_error);
    }
}
