#pragma once
// The program's icon, drawn rather than stored, so that every size is crisp: the
// window's icon and the icon theme's PNG files (made at build time) come from here.

#include <QIcon>
#include <QImage>

namespace brivane::ui {

// The icon at aSize × aSize pixels.
QImage DrawAppIcon(int aSize);

// The icon in the sizes of the icon theme.
QIcon AppIcon();

// The sizes the icon theme takes (16 to 256).
inline constexpr int kAppIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

} // namespace brivane::ui
