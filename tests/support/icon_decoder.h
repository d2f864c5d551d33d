#pragma once
// Reads icon files (.ico) of 32-bit bitmap images back into pixels, checking every
// header and length on the way: the tests' view of the icons the build draws.

#include "pe/icon_images.h"

#include <string_view>
#include <vector>

namespace brivane::test {

// The images of an icon file in directory order. Throws std::runtime_error naming the
// fault for anything but 32-bit square bitmaps that lie wholly inside the file and
// agree with their directory entries and masks.
std::vector<TIconImage> DecodeIconFile(std::string_view aBytes);

} // namespace brivane::test
