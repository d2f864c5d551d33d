#pragma once
// Draws a program's icon tile: its initials in a bold face on a square of its
// category's colour with rounded corners. Every size is drawn for itself, the letters
// hinted to its pixel grid, so small tiles stay crisp.

#include "pe/icon_images.h"
#include "tile_colours.h"

#include <filesystem>
#include <memory>
#include <string_view>

namespace brivane::tools {

class TTilePainter {
public:
    // Throws std::runtime_error when the font file cannot be loaded.
    explicit TTilePainter(const std::filesystem::path& aFontFile);
    ~TTilePainter();
    TTilePainter(const TTilePainter&) = delete;
    TTilePainter& operator=(const TTilePainter&) = delete;

    // A tile of aSize x aSize pixels (8 to 256) with aInitials (UTF-8) centred on it.
    TIconImage Paint(std::string_view aInitials, const TTileColours& aColours, int aSize) const;

private:
    struct TFont;
    std::unique_ptr<TFont> fFont;
};

} // namespace brivane::tools
