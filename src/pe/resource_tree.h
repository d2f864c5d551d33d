#pragma once
// Walks the resource directory tree of a Windows executable: directories of types,
// names and languages whose leaves are data entries. The tree is read from a source
// that holds the whole resource block in memory or from the executable file itself.
// Every read is bounded, a walk visits each directory at most once and all walks share
// one budget of entries, so a damaged tree (offsets outside the data, cycles, huge
// entry counts) ends the walk quietly.

#include "pe/executable_reader.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace brivane {

struct IMAGE_RESOURCE_DIRECTORY_ENTRY {
    std::uint32_t NameID = 0;
    std::uint32_t VirtualAddress = 0; // the offset field: a subdirectory when its top bit is set
};

class TResourceTree {
public:
    // aSource holds the root directory at aRootPosition; the byte at file offset F is
    // at position F - aFileOffsetShift of aSource.
    TResourceTree(const TExecutableReader& aImage, platform::IByteRangeSource& aSource,
                  std::int64_t aRootPosition, std::int64_t aFileOffsetShift);

    // The entries of the directory at aOffset (from the root), named ones first.
    std::vector<IMAGE_RESOURCE_DIRECTORY_ENTRY> ReadDirectory(std::uint32_t aOffset);

    // The subdirectory of the first root entry with the type's ID that marks one.
    std::optional<std::uint32_t> FindType(std::uint16_t aType);

    // The data entries below a directory, depth-first in entry order, at most aLimit.
    std::vector<std::uint32_t> CollectLeaves(std::uint32_t aDirectory, std::size_t aLimit);

    // The first data entry at or below an entry.
    std::optional<std::uint32_t> FirstLeaf(const IMAGE_RESOURCE_DIRECTORY_ENTRY& aEntry);

    // The data a data entry describes: exactly its size, or nothing when that is 0,
    // above aMaxSize, or not wholly in the source.
    std::string ReadData(std::uint32_t aDataEntry, std::uint32_t aMaxSize);

private:
    void Collect(std::uint32_t aDirectory, int aDepth, std::size_t aLimit,
                 std::set<std::uint32_t>& aVisited, std::vector<std::uint32_t>& aLeaves);

    const TExecutableReader& fImage;
    platform::IByteRangeSource& fSource;
    std::int64_t fRootPosition;
    std::int64_t fFileOffsetShift;
    std::int64_t fEntriesLeft; // bounds the work of a walk over a hostile tree
};

} // namespace brivane
