#include "pe/executable_icons.h"

#include "base/little_endian.h"
#include "pe/pe_format.h"

#include <algorithm>
#include <vector>

namespace brivane {

namespace {

using pe_format::kIconDirEntrySize;
using pe_format::kIconDirSize;

constexpr std::size_t kGroupDirEntrySize = 14; // in a group resource: ends with the image ID
constexpr std::uint16_t kIconType = 1;

void AppendIconDir(std::string& aOut, std::uint16_t aCount) {
    AppendWord(aOut, 0);
    AppendWord(aOut, kIconType);
    AppendWord(aOut, aCount);
}

} // namespace

TIconInfo MakeIconInfo(std::string_view aImage) {
    TIconInfo info;
    info.fIconSize = aImage.size() < 10 ? 0 : ReadWord(aImage, 8);
    info.fBitsPerPixel =
        aImage.size() < 16 ? 32 : std::min<std::uint16_t>(ReadWord(aImage, 14), 32);
    std::string& icon = info.fIcon;
    AppendIconDir(icon, 1);
    AppendDWord(icon, 0); // width, height, colour count and reserved
    AppendWord(icon, 1);  // planes
    AppendWord(icon, info.fBitsPerPixel);
    AppendDWord(icon, static_cast<std::uint32_t>(aImage.size()));
    AppendDWord(icon, kIconDirSize + kIconDirEntrySize);
    icon.append(aImage);
    return info;
}

std::string BuildIconFile(std::string_view aGroup,
                          const std::function<std::string(std::uint16_t aId)>& aImage) {
    const std::uint16_t count = ReadWord(aGroup, 4);
    if (ReadWord(aGroup, 0) != 0 || ReadWord(aGroup, 2) != kIconType || count == 0 ||
        aGroup.size() < kIconDirSize + kGroupDirEntrySize * count) {
        return {};
    }
    struct TImage {
        std::string_view Entry; // the first twelve bytes of its directory entry
        std::string Bytes;
    };
    std::vector<TImage> images;
    std::size_t total = kIconDirSize;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view entry =
            aGroup.substr(kIconDirSize + kGroupDirEntrySize * i, kGroupDirEntrySize);
        std::string bytes = aImage(ReadWord(entry, 12));
        if (bytes.empty()) {
            continue;
        }
        total += kIconDirEntrySize + bytes.size();
        if (total > kMaxIconFileSize) {
            return {};
        }
        images.push_back({entry.substr(0, 8), std::move(bytes)});
    }
    if (images.empty()) {
        return {};
    }
    std::string icon;
    icon.reserve(total);
    AppendIconDir(icon, static_cast<std::uint16_t>(images.size()));
    std::size_t offset = kIconDirSize + kIconDirEntrySize * images.size();
    for (const TImage& image : images) {
        icon.append(image.Entry); // width, height, colours, reserved, planes, bit count
        AppendDWord(icon, static_cast<std::uint32_t>(image.Bytes.size()));
        AppendDWord(icon, static_cast<std::uint32_t>(offset));
        offset += image.Bytes.size();
    }
    for (const TImage& image : images) {
        icon.append(image.Bytes);
    }
    return icon;
}

bool IsIconFile(std::string_view aBytes) {
    const std::uint16_t count = ReadWord(aBytes, 4);
    if (ReadWord(aBytes, 0) != 0 || ReadWord(aBytes, 2) != kIconType || count == 0 ||
        aBytes.size() < kIconDirSize + kIconDirEntrySize * count) {
        return false;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = kIconDirSize + kIconDirEntrySize * i;
        const std::uint64_t size = ReadDWord(aBytes, entry + 8);
        const std::uint64_t offset = ReadDWord(aBytes, entry + 12);
        if (size == 0 || offset + size > aBytes.size()) {
            return false;
        }
    }
    return true;
}

} // namespace brivane
