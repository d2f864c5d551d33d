#include "pe/resource_tree.h"

#include "base/little_endian.h"
#include "pe/pe_format.h"

#include <algorithm>

namespace brivane {

namespace {

using namespace pe_format;

// Real trees are three levels deep (type, name, language).
constexpr int kMaxDepth = 8;
// Far more entries than the largest real executables hold, and at most 2 MB of reads.
constexpr std::int64_t kMaxEntriesPerWalk = 1 << 18;

} // namespace

TResourceTree::TResourceTree(const TExecutableReader& aImage, platform::IByteRangeSource& aSource,
                             std::int64_t aRootPosition, std::int64_t aFileOffsetShift)
    : fImage(aImage), fSource(aSource), fRootPosition(aRootPosition),
      fFileOffsetShift(aFileOffsetShift), fEntriesLeft(kMaxEntriesPerWalk) {}

std::vector<IMAGE_RESOURCE_DIRECTORY_ENTRY> TResourceTree::ReadDirectory(std::uint32_t aOffset) {
    const std::int64_t at = fRootPosition + aOffset;
    const std::string header = fSource.ReadRange(at, at + kDirectoryHeaderSize - 1);
    if (static_cast<std::int64_t>(header.size()) != kDirectoryHeaderSize) {
        return {};
    }
    const std::int64_t count =
        std::min<std::int64_t>(ReadWord(header, 12) + ReadWord(header, 14), fEntriesLeft);
    if (count == 0) {
        return {};
    }
    const std::int64_t first = at + kDirectoryHeaderSize;
    const std::string bytes = fSource.ReadRange(first, first + count * kDirectoryEntrySize - 1);
    std::vector<IMAGE_RESOURCE_DIRECTORY_ENTRY> entries;
    for (std::size_t entry = 0; entry + kDirectoryEntrySize <= bytes.size();
         entry += kDirectoryEntrySize) {
        entries.push_back({ReadDWord(bytes, entry), ReadDWord(bytes, entry + 4)});
    }
    fEntriesLeft -= static_cast<std::int64_t>(entries.size());
    return entries;
}

std::optional<std::uint32_t> TResourceTree::FindType(std::uint16_t aType) {
    for (const auto& entry : ReadDirectory(0)) {
        if (entry.NameID == aType && (entry.VirtualAddress & kSubdirectoryFlag) != 0) {
            return entry.VirtualAddress & ~kSubdirectoryFlag;
        }
    }
    return std::nullopt;
}

std::vector<std::uint32_t> TResourceTree::CollectLeaves(std::uint32_t aDirectory,
                                                        std::size_t aLimit) {
    std::vector<std::uint32_t> leaves;
    std::set<std::uint32_t> visited;
    Collect(aDirectory, 0, aLimit, visited, leaves);
    return leaves;
}

void TResourceTree::Collect(std::uint32_t aDirectory, int aDepth, std::size_t aLimit,
                            std::set<std::uint32_t>& aVisited,
                            std::vector<std::uint32_t>& aLeaves) {
    // A directory seen before would be a cycle, or a shared subtree no real file has.
    if (aDepth > kMaxDepth || !aVisited.insert(aDirectory).second) {
        return;
    }
    for (const auto& entry : ReadDirectory(aDirectory)) {
        if (aLeaves.size() >= aLimit) {
            return;
        }
        if (entry.NameID == 0 && entry.VirtualAddress == 0) {
            continue;
        }
        if ((entry.VirtualAddress & kSubdirectoryFlag) != 0) {
            Collect(entry.VirtualAddress & ~kSubdirectoryFlag, aDepth + 1, aLimit, aVisited,
                    aLeaves);
        } else {
            aLeaves.push_back(entry.VirtualAddress);
        }
    }
}

std::optional<std::uint32_t>
TResourceTree::FirstLeaf(const IMAGE_RESOURCE_DIRECTORY_ENTRY& aEntry) {
    if ((aEntry.VirtualAddress & kSubdirectoryFlag) == 0) {
        return aEntry.VirtualAddress;
    }
    const auto leaves = CollectLeaves(aEntry.VirtualAddress & ~kSubdirectoryFlag, 1);
    if (leaves.empty()) {
        return std::nullopt;
    }
    return leaves.front();
}

std::string TResourceTree::ReadData(std::uint32_t aDataEntry, std::uint32_t aMaxSize) {
    const std::int64_t at = fRootPosition + aDataEntry;
    const std::string entry = fSource.ReadRange(at, at + kDataEntrySize - 1);
    if (static_cast<std::int64_t>(entry.size()) != kDataEntrySize) {
        return {};
    }
    const std::uint32_t size = ReadDWord(entry, 4);
    const std::uint32_t offset = fImage.RvaToFileOffset(ReadDWord(entry, 0));
    if (size == 0 || size > aMaxSize || offset == 0 || offset == kInvalidFileOffset) {
        return {};
    }
    const std::int64_t position = std::int64_t{offset} - fFileOffsetShift;
    if (position < 0) {
        return {};
    }
    std::string data = fSource.ReadRange(position, position + size - 1);
    if (data.size() != size) {
        return {};
    }
    return data;
}

} // namespace brivane
