#pragma once
// The tile painter of the tests, with the font the build draws the tiles in.

#include "cache_files/tile_painter.h"

namespace brivane::tools {

inline const TTilePainter& TestPainter() {
    static const TTilePainter painter(BRIVANE_TILE_FONT);
    return painter;
}

} // namespace brivane::tools
