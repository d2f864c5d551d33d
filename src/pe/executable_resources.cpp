#include "pe/executable_resources.h"

#include "pe/executable_icons.h"
#include "pe/resource_tree.h"

#include <optional>
#include <unordered_map>

namespace brivane {

bool ReadFileVersionInfo(platform::IByteRangeSource& aSource, TFileVersionInfo& aInfo) {
    aInfo.Clear();
    TExecutableReader image(aSource);
    if (!image.ReadHeaders()) {
        return false;
    }
    TResourceTree tree(image, aSource, image.ResourceDirectoryOffset(), 0);
    const auto versions = tree.FindType(kResourceTypeVersion);
    if (!versions) {
        return false;
    }
    const auto leaves = tree.CollectLeaves(*versions, 1);
    if (leaves.empty()) {
        return false;
    }
    const std::string block = tree.ReadData(leaves.front(), kMaxVersionResourceSize);
    if (block.empty()) {
        return false;
    }
    aInfo.ParseVersionInfo(block);
    return true;
}

std::string ReadIconGroup(platform::IByteRangeSource& aSource, int aIndex) {
    TExecutableReader image(aSource);
    if (!image.ReadHeaders()) {
        return {};
    }
    TResourceTree tree(image, aSource, image.ResourceDirectoryOffset(), 0);
    const auto groups = tree.FindType(kResourceTypeGroupIcon);
    const auto icons = tree.FindType(kResourceTypeIcon);
    if (!groups || !icons) {
        return {};
    }
    const auto groupEntries = tree.ReadDirectory(*groups);
    std::optional<std::uint32_t> group;
    if (aIndex >= 0) {
        if (static_cast<std::size_t>(aIndex) < groupEntries.size()) {
            group = tree.FirstLeaf(groupEntries[static_cast<std::size_t>(aIndex)]);
        }
    } else {
        for (const auto& entry : groupEntries) {
            if (static_cast<std::int64_t>(entry.NameID) == -static_cast<std::int64_t>(aIndex)) {
                group = tree.FirstLeaf(entry);
                break;
            }
        }
    }
    if (!group) {
        return {};
    }
    // A group names up to 65535 images and the directory may hold twice as many entries:
    // looked up one by one, a hostile file would cost billions of comparisons.
    std::unordered_map<std::uint32_t, IMAGE_RESOURCE_DIRECTORY_ENTRY> iconEntries;
    for (const auto& entry : tree.ReadDirectory(*icons)) {
        iconEntries.try_emplace(entry.NameID, entry); // the first entry of an ID counts
    }
    return BuildIconFile(tree.ReadData(*group, kMaxIconImageSize), [&](std::uint16_t aId) {
        const auto found = iconEntries.find(aId);
        if (found == iconEntries.end()) {
            return std::string();
        }
        const auto leaf = tree.FirstLeaf(found->second);
        return leaf ? tree.ReadData(*leaf, kMaxIconImageSize) : std::string();
    });
}

} // namespace brivane
