#pragma once
// Icons of Windows executables as icon files (.ico): one image found under the icon
// resource type, or a whole icon group with its images.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace brivane {

// Limits that keep a damaged or hostile file from costing large reads: a 256-pixel
// 32-bit image is about 270 KB, and real icon files stay far below the total.
inline constexpr std::uint32_t kMaxIconImageSize = 1 << 20;
inline constexpr std::size_t kMaxIconFileSize = 8 << 20;

struct TIconInfo {
    std::uint16_t fIconSize = 0;
    std::uint16_t fBitsPerPixel = 0;
    std::string fIcon; // a complete icon file holding the one image
};

// The icon file of one icon image as stored under the icon resource type.
TIconInfo MakeIconInfo(std::string_view aImage);

// The icon file of an icon group resource; aImage yields the image with an ID (empty
// when there is none). Images that cannot be found are left out; empty when the group
// is malformed, no image is found or the file would exceed kMaxIconFileSize.
std::string BuildIconFile(std::string_view aGroup,
                          const std::function<std::string(std::uint16_t aId)>& aImage);

// Whether the bytes are a well-formed icon file: its header, and a directory whose
// images lie within the bytes.
bool IsIconFile(std::string_view aBytes);

} // namespace brivane
