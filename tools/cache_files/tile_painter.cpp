#include "tile_painter.h"

#include "base/unicode.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <climits>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace brivane::tools {

namespace {

// Corner radius as a share of the side: 3 pixels at 16, 6 at 32, 9 at 48.
constexpr int kRadiusPer16 = 3;
// Letter size as a share of the side (pixels per em per 100 pixels): one letter is
// drawn larger than two.
constexpr int kOneLetterEm = 69;
constexpr int kTwoLettersEm = 56;
// The letters keep this much of the side free on each side (in sixteenths).
constexpr int kMarginPer16 = 1;
// Edge smoothing: each pixel of the tile's outline is sampled on a grid this fine.
constexpr int kSamples = 16;

// One rendered glyph: its coverage bitmap placed relative to the pen on the baseline.
struct TGlyph {
    int Left = 0; // from the pen to the bitmap's left edge
    int Top = 0;  // from the baseline up to the bitmap's top row
    int Width = 0;
    int Rows = 0;
    std::vector<std::uint8_t> Coverage;
};

// The initials laid out at one pixel size.
struct TLine {
    std::vector<TGlyph> Glyphs;
    std::vector<int> Pens; // each glyph's pen position from the line's start
    int InkLeft = INT_MAX;
    int InkRight = INT_MIN;
    int Width() const { return Glyphs.empty() ? 0 : InkRight - InkLeft; }
};

// Coverage of a pixel by a square of aSize pixels with corners of aRadius, 0 to 255.
int TileCoverage(int aX, int aY, int aSize, int aRadius) {
    // Sample positions in units of 1 / (2 * kSamples) pixel, so all arithmetic is exact.
    constexpr int unit = 2 * kSamples;
    const long long radius = static_cast<long long>(aRadius) * unit;
    const long long side = static_cast<long long>(aSize) * unit;
    int inside = 0;
    for (int i = 0; i < kSamples; ++i) {
        for (int j = 0; j < kSamples; ++j) {
            const long long x = static_cast<long long>(aX) * unit + 2 * i + 1;
            const long long y = static_cast<long long>(aY) * unit + 2 * j + 1;
            // Distance into a corner's square, if the sample lies in one.
            const long long dx = x < radius          ? radius - x
                                 : x > side - radius ? x - (side - radius)
                                                     : 0;
            const long long dy = y < radius          ? radius - y
                                 : y > side - radius ? y - (side - radius)
                                                     : 0;
            if (dx * dx + dy * dy <= radius * radius) {
                ++inside;
            }
        }
    }
    return (inside * 255 + kSamples * kSamples / 2) / (kSamples * kSamples);
}

std::uint8_t Mix(std::uint32_t aFrom, std::uint32_t aTo, int aShift, int aCoverage) {
    const int from = static_cast<int>((aFrom >> aShift) & 0xFF);
    const int to = static_cast<int>((aTo >> aShift) & 0xFF);
    return static_cast<std::uint8_t>(from +
                                     ((to - from) * aCoverage + (to >= from ? 127 : -127)) / 255);
}

} // namespace

struct TTilePainter::TFont {
    FT_Library Library = nullptr;
    FT_Face Face = nullptr;

    ~TFont() {
        if (Face != nullptr) {
            FT_Done_Face(Face);
        }
        if (Library != nullptr) {
            FT_Done_FreeType(Library);
        }
    }

    TGlyph Render(char32_t aChar) const {
        const FT_UInt index = FT_Get_Char_Index(Face, aChar);
        if (index == 0 ||
            FT_Load_Glyph(Face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL) != 0 ||
            FT_Render_Glyph(Face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
            throw std::runtime_error("The font has no glyph for U+" + std::to_string(aChar));
        }
        const FT_GlyphSlot slot = Face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        TGlyph glyph{slot->bitmap_left,
                     slot->bitmap_top,
                     static_cast<int>(bitmap.width),
                     static_cast<int>(bitmap.rows),
                     {}};
        glyph.Coverage.resize(static_cast<std::size_t>(glyph.Width * glyph.Rows));
        for (int row = 0; row < glyph.Rows; ++row) {
            const unsigned char* source =
                bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
            std::copy(source, source + glyph.Width,
                      glyph.Coverage.begin() + static_cast<std::ptrdiff_t>(row * glyph.Width));
        }
        return glyph;
    }

    // The advance after aChar at the current size, in whole pixels (hinted).
    int Advance(char32_t aChar) const {
        const FT_UInt index = FT_Get_Char_Index(Face, aChar);
        if (FT_Load_Glyph(Face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL) != 0) {
            return 0;
        }
        return static_cast<int>((Face->glyph->advance.x + 32) >> 6);
    }

    TLine Layout(const std::u32string& aText, int aPixels) const {
        if (FT_Set_Pixel_Sizes(Face, 0, static_cast<FT_UInt>(aPixels)) != 0) {
            throw std::runtime_error("The font cannot be set to " + std::to_string(aPixels) +
                                     " pixels");
        }
        TLine line;
        int pen = 0;
        for (const char32_t c : aText) {
            TGlyph glyph = Render(c);
            if (glyph.Width > 0) {
                line.InkLeft = std::min(line.InkLeft, pen + glyph.Left);
                line.InkRight = std::max(line.InkRight, pen + glyph.Left + glyph.Width);
            }
            line.Pens.push_back(pen);
            line.Glyphs.push_back(std::move(glyph));
            pen += Advance(c);
        }
        if (line.InkLeft > line.InkRight) {
            line.InkLeft = line.InkRight = 0;
        }
        return line;
    }

    // The height of capitals above the baseline at the current size.
    int CapHeight() const { return Render(U'H').Top; }
};

TTilePainter::TTilePainter(const std::filesystem::path& aFontFile)
    : fFont(std::make_unique<TFont>()) {
    if (FT_Init_FreeType(&fFont->Library) != 0) {
        throw std::runtime_error("FreeType cannot start");
    }
    if (FT_New_Face(fFont->Library, aFontFile.c_str(), 0, &fFont->Face) != 0) {
        throw std::runtime_error("Cannot load the font '" + aFontFile.string() + "'");
    }
}

TTilePainter::~TTilePainter() = default;

TIconImage TTilePainter::Paint(std::string_view aInitials, const TTileColours& aColours,
                               int aSize) const {
    if (aSize < 8 || aSize > 256) {
        throw std::invalid_argument("A tile is 8 to 256 pixels wide");
    }
    std::u32string text;
    for (std::size_t position = 0; position < aInitials.size();) {
        text += DecodeUtf8Char(aInitials, position);
    }

    // The largest letters up to the size's share that fit between the margins.
    const int maxWidth = aSize - 2 * std::max(1, aSize * kMarginPer16 / 16);
    int pixels = (aSize * (text.size() > 1 ? kTwoLettersEm : kOneLetterEm) + 50) / 100;
    TLine line = fFont->Layout(text, pixels);
    while (line.Width() > maxWidth && pixels > 6) {
        line = fFont->Layout(text, --pixels);
    }
    // Capitals are centred, so every tile of a size shares its baseline.
    const int baseline = (aSize + fFont->CapHeight() + 1) / 2;
    const int start = (aSize - line.Width()) / 2 - line.InkLeft;

    std::vector<int> letters(static_cast<std::size_t>(aSize * aSize), 0);
    for (std::size_t g = 0; g < line.Glyphs.size(); ++g) {
        const TGlyph& glyph = line.Glyphs[g];
        for (int row = 0; row < glyph.Rows; ++row) {
            const int y = baseline - glyph.Top + row;
            for (int column = 0; column < glyph.Width; ++column) {
                const int x = start + line.Pens[g] + glyph.Left + column;
                if (x < 0 || y < 0 || x >= aSize || y >= aSize) {
                    continue;
                }
                int& cell = letters[static_cast<std::size_t>(y * aSize + x)];
                cell = std::min(
                    255,
                    cell + glyph.Coverage[static_cast<std::size_t>(row * glyph.Width + column)]);
            }
        }
    }

    const int radius = aSize * kRadiusPer16 / 16;
    TIconImage image{aSize, {}};
    image.Pixels.reserve(letters.size());
    for (int y = 0; y < aSize; ++y) {
        for (int x = 0; x < aSize; ++x) {
            const int coverage = letters[static_cast<std::size_t>(y * aSize + x)];
            const auto alpha = static_cast<std::uint32_t>(TileCoverage(x, y, aSize, radius));
            image.Pixels.push_back(
                alpha << 24 |
                std::uint32_t{Mix(aColours.Background, aColours.Letters, 16, coverage)} << 16 |
                std::uint32_t{Mix(aColours.Background, aColours.Letters, 8, coverage)} << 8 |
                Mix(aColours.Background, aColours.Letters, 0, coverage));
        }
    }
    return image;
}

} // namespace brivane::tools
