#pragma once
// Reads the headers of a Windows executable (DOS header, PE header, optional header,
// section table) over a byte-range source and locates its resource directory; finds
// the version resource with a fixed handful of small reads.

#include "pe/byte_range_source.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace brivane {

struct TSectionHeader {
    std::array<char, 8> Name{};
    std::uint32_t VirtualSize = 0;
    std::uint32_t VirtualAddress = 0;
    std::uint32_t SizeOfRawData = 0;
    std::uint32_t PointerToRawData = 0;
    std::uint32_t PointerToRelocations = 0;
    std::uint32_t PointerToLinenumbers = 0;
    std::uint16_t NumberOfRelocations = 0;
    std::uint16_t NumberOfLinenumbers = 0;
    std::uint32_t Characteristics = 0;
};

// Limits that keep a damaged or hostile file from costing large reads.
inline constexpr std::uint16_t kMaxSections = 96; // the loader's traditional limit
// A version block's own length is a 16-bit count, so no valid one is larger.
inline constexpr std::uint32_t kMaxVersionResourceSize = 0x10000;

inline constexpr std::uint16_t kResourceTypeIcon = 3;
inline constexpr std::uint16_t kResourceTypeGroupIcon = 14;
inline constexpr std::uint16_t kResourceTypeVersion = 16;

// The platform's file offset that stands for "no such place in the file".
inline constexpr std::uint32_t kInvalidFileOffset = 0xFFFFFFFF;

class TExecutableReader {
public:
    explicit TExecutableReader(platform::IByteRangeSource& aSource) : fSource(aSource) {}

    // Reads the headers and the section table and locates the resource directory (three
    // reads). False when the source is not an executable or has no resource directory.
    bool ReadHeaders();

    // The file offset of a relative virtual address: 0 when no section holds it,
    // kInvalidFileOffset when its section has no raw data there.
    std::uint32_t RvaToFileOffset(std::uint32_t aRva) const;

    // The version resource through five more reads: the first 512 bytes of the root
    // directory, one read per level below it, and the resource itself. Empty when it is
    // not found that way (a version type entry beyond the first 512 bytes, say).
    std::string ReadVersionResourceQuickly();

    platform::IByteRangeSource& Source() const { return fSource; }
    const std::vector<TSectionHeader>& Sections() const { return fSections; }
    std::uint32_t ResourceDirectoryOffset() const { return fResourceDirectoryOffset; }
    std::uint32_t ResourceSize() const { return fResourceSize; }

private:
    platform::IByteRangeSource& fSource;
    std::vector<TSectionHeader> fSections;
    std::uint32_t fResourceDirectoryOffset = 0;
    std::uint32_t fResourceSize = 0;
};

} // namespace brivane
