#include "cache_files/static_cache.h"
#include "cache_files/tile_colours.h"
#include "cache_files/tile_painter.h"
#include "support/icon_decoder.h"
#include "tools/test_painter.h"

#include <gtest/gtest.h>

#include <set>

using namespace brivane;
using namespace brivane::tools;

namespace {

std::uint32_t Rgb(std::uint32_t aPixel) {
    return aPixel & 0xFFFFFF;
}

std::uint32_t Alpha(std::uint32_t aPixel) {
    return aPixel >> 24;
}

} // namespace

TEST(TileColoursTest, EveryCategoryHasItsOwnColourAndReadableLetters) {
    std::set<std::uint32_t> backgrounds;
    for (int category = scUnknown; category <= scScienceEducation; ++category) {
        const TTileColours colours = TileColours(static_cast<TSoftwareCategory>(category));
        EXPECT_TRUE(backgrounds.insert(colours.Background).second) << category;
        EXPECT_GE(ContrastRatio(colours.Background, colours.Letters), 4.3) << category;
    }
    EXPECT_DOUBLE_EQ(ContrastRatio(0xFFFFFF, 0x000000), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(0x123456, 0x123456), 1.0);
}

TEST(TilePainterTest, DrawsTheLettersOnARoundedTileOfTheColour) {
    const TTileColours colours{0x1976D2, 0xFFFFFF};
    for (const int size : kTileSizes) {
        SCOPED_TRACE(size);
        const TIconImage tile = TestPainter().Paint("7Z", colours, size);
        ASSERT_EQ(tile.Size, size);
        ASSERT_EQ(tile.Pixels.size(), static_cast<std::size_t>(size * size));
        const auto at = [&](int aX, int aY) {
            return tile.Pixels[static_cast<std::size_t>(aY * size + aX)];
        };
        // Rounded corners: (nearly) clear at the very corner, opaque along the middle of
        // each edge.
        for (const auto& [x, y] :
             {std::pair(0, 0), {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}}) {
            EXPECT_LT(Alpha(at(x, y)), 16u);
        }
        EXPECT_EQ(at(size / 2, 0), 0xFF000000 | colours.Background);
        EXPECT_EQ(at(0, size / 2), 0xFF000000 | colours.Background);
        // Letters in the middle band, in their colour, and the corners' edges smoothed.
        int letters = 0;
        int partial = 0;
        for (const std::uint32_t pixel : tile.Pixels) {
            letters += Rgb(pixel) == colours.Letters;
            partial += Alpha(pixel) > 0 && Alpha(pixel) < 255;
        }
        EXPECT_GT(letters, size * size / 40);
        EXPECT_GT(partial, 0);
    }
}

TEST(TilePainterTest, EachSizeIsDrawnForItselfAndOtherLettersDrawOtherTiles) {
    const TTileColours colours{0x00796B, 0xFFFFFF};
    const TIconImage small = TestPainter().Paint("CC", colours, 16);
    const TIconImage large = TestPainter().Paint("CC", colours, 32);
    // Not a scaled copy: averaging each 2x2 block of the large tile does not give the small one.
    int differing = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            int sum = 0;
            for (const int dy : {0, 1}) {
                for (const int dx : {0, 1}) {
                    sum += static_cast<int>(
                        large.Pixels[static_cast<std::size_t>((2 * y + dy) * 32 + 2 * x + dx)] &
                        0xFF);
                }
            }
            differing +=
                std::abs(sum / 4 - static_cast<int>(
                                       small.Pixels[static_cast<std::size_t>(y * 16 + x)] & 0xFF)) >
                8;
        }
    }
    EXPECT_GT(differing, 0);
    EXPECT_NE(TestPainter().Paint("CD", colours, 16).Pixels, small.Pixels);
    EXPECT_EQ(TestPainter().Paint("CC", colours, 16).Pixels, small.Pixels);
}

TEST(TilePainterTest, RefusesWhatItCannotDraw) {
    EXPECT_THROW(TTilePainter("/nonexistent/font.ttf"), std::runtime_error);
    EXPECT_THROW(TestPainter().Paint("A", {}, 7), std::invalid_argument);
    EXPECT_THROW(TestPainter().Paint("A", {}, 257), std::invalid_argument);
    EXPECT_THROW(TestPainter().Paint("\xE4\xB8\x80", {}, 16),
                 std::runtime_error); // no glyph in the face
}

TEST(ProgramIconTest, HoldsTheThreeSizesAsThirtyTwoBitImages) {
    const std::string icon = ProgramIcon(TestPainter(), {"VLC media player", scMultimedia});
    const auto images = test::DecodeIconFile(icon);
    ASSERT_EQ(images.size(), 3u);
    for (std::size_t i = 0; i < images.size(); ++i) {
        EXPECT_EQ(images[i].Size, kTileSizes[i]);
        EXPECT_EQ(images[i].Pixels,
                  TestPainter().Paint("VL", TileColours(scMultimedia), kTileSizes[i]).Pixels);
    }
}
