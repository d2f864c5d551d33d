#include "pe/executable_reader.h"

#include "base/little_endian.h"
#include "pe/pe_format.h"

#include <algorithm>
#include <cstring>

namespace brivane {

namespace {

using namespace pe_format;

constexpr std::int64_t kDosHeaderSize = 64;
constexpr std::size_t kNewHeaderOffsetField = 60;
constexpr std::int64_t kPeHeaderSize = 24; // signature and file header
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::uint16_t kDosSignature = 0x5A4D;
constexpr std::uint16_t kMagicPe32 = 0x10B;
constexpr std::uint16_t kMagicPe32Plus = 0x20B;
// Where the resource entry of the data directories lies in each optional header.
constexpr std::size_t kResourceDirectoryPe32 = 112;
constexpr std::size_t kResourceDirectoryPe32Plus = 128;

constexpr std::int64_t kRootDirectoryReadSize = 512;
constexpr std::int64_t kSubdirectoryReadSize = 48; // a header and up to four entries

TSectionHeader ParseSectionHeader(std::string_view aBytes) {
    TSectionHeader header;
    std::memcpy(header.Name.data(), aBytes.data(), header.Name.size());
    header.VirtualSize = ReadDWord(aBytes, 8);
    header.VirtualAddress = ReadDWord(aBytes, 12);
    header.SizeOfRawData = ReadDWord(aBytes, 16);
    header.PointerToRawData = ReadDWord(aBytes, 20);
    header.PointerToRelocations = ReadDWord(aBytes, 24);
    header.PointerToLinenumbers = ReadDWord(aBytes, 28);
    header.NumberOfRelocations = ReadWord(aBytes, 32);
    header.NumberOfLinenumbers = ReadWord(aBytes, 34);
    header.Characteristics = ReadDWord(aBytes, 36);
    return header;
}

// The offset field of the first entry of a subdirectory read from the source: nothing
// unless the read holds a header with at least one ID entry and the entry itself.
bool FirstSubdirectoryEntry(const std::string& aDirectory, std::uint32_t& aOffsetField) {
    if (aDirectory.size() < kDirectoryHeaderSize || ReadWord(aDirectory, 14) == 0 ||
        aDirectory.size() < kDirectoryHeaderSize + kDirectoryEntrySize) {
        return false;
    }
    aOffsetField = ReadDWord(aDirectory, kDirectoryHeaderSize + 4);
    return true;
}

} // namespace

bool TExecutableReader::ReadHeaders() {
    fSections.clear();
    fResourceDirectoryOffset = 0;
    fResourceSize = 0;

    const std::string dos = fSource.ReadRange(0, kDosHeaderSize - 1);
    if (static_cast<std::int64_t>(dos.size()) != kDosHeaderSize ||
        ReadWord(dos, 0) != kDosSignature) {
        return false;
    }
    const auto newHeader = static_cast<std::int32_t>(ReadDWord(dos, kNewHeaderOffsetField));
    if (newHeader <= 0) {
        return false;
    }
    const std::string pe = fSource.ReadRange(newHeader, newHeader + kPeHeaderSize - 1);
    if (static_cast<std::int64_t>(pe.size()) < kPeHeaderSize ||
        pe.compare(0, 4, "PE\0\0", 4) != 0) {
        return false;
    }
    const std::uint16_t sectionCount = ReadWord(pe, 6);
    const std::uint16_t optionalHeaderSize = ReadWord(pe, 20);
    if (optionalHeaderSize == 0 || sectionCount > kMaxSections) {
        return false;
    }
    const std::int64_t size = optionalHeaderSize + std::int64_t{kSectionHeaderSize} * sectionCount;
    const std::int64_t start = newHeader + kPeHeaderSize;
    const std::string headers = fSource.ReadRange(start, start + size - 1);
    if (static_cast<std::int64_t>(headers.size()) != size) {
        return false;
    }
    const std::string_view optional = std::string_view(headers).substr(0, optionalHeaderSize);
    for (std::size_t at = optionalHeaderSize; at < headers.size(); at += kSectionHeaderSize) {
        fSections.push_back(
            ParseSectionHeader(std::string_view(headers).substr(at, kSectionHeaderSize)));
    }

    std::size_t directory = 0;
    switch (ReadWord(optional, 0)) {
    case kMagicPe32:
        directory = kResourceDirectoryPe32;
        break;
    case kMagicPe32Plus:
        directory = kResourceDirectoryPe32Plus;
        break;
    default:
        break; // a ROM image or an unknown kind: no data directories
    }
    const std::uint32_t resourceAddress = directory != 0 ? ReadDWord(optional, directory) : 0;
    fResourceSize = directory != 0 ? ReadDWord(optional, directory + 4) : 0;
    fResourceDirectoryOffset = RvaToFileOffset(resourceAddress);
    return fResourceDirectoryOffset != 0;
}

std::uint32_t TExecutableReader::RvaToFileOffset(std::uint32_t aRva) const {
    for (const TSectionHeader& section : fSections) {
        if (section.VirtualAddress <= aRva &&
            aRva < std::uint64_t{section.VirtualAddress} + section.VirtualSize) {
            const std::uint32_t delta = aRva - section.VirtualAddress;
            const std::uint64_t offset = std::uint64_t{section.PointerToRawData} + delta;
            if (section.SizeOfRawData < delta || offset >= kInvalidFileOffset) {
                return kInvalidFileOffset;
            }
            return static_cast<std::uint32_t>(offset);
        }
    }
    return 0;
}

std::string TExecutableReader::ReadVersionResourceQuickly() {
    const std::int64_t root = fResourceDirectoryOffset;
    const std::string directory = fSource.ReadRange(root, root + kRootDirectoryReadSize - 1);
    if (directory.size() < kDirectoryHeaderSize) {
        return {};
    }
    const std::int64_t named = ReadWord(directory, 12);
    const std::int64_t total = named + ReadWord(directory, 14);
    // Only entries that lie within the bytes read are examined, from the last to the first.
    const auto inRead =
        static_cast<std::int64_t>((directory.size() - kDirectoryHeaderSize) / kDirectoryEntrySize);
    for (std::int64_t index = std::min(total, inRead) - 1; index >= named; --index) {
        const std::size_t entry =
            kDirectoryHeaderSize + kDirectoryEntrySize * static_cast<std::size_t>(index);
        if (ReadDWord(directory, entry) != kResourceTypeVersion) {
            continue;
        }
        // The first version type entry decides: name level, language level, data entry.
        std::uint32_t field = ReadDWord(directory, entry + 4);
        for (int level = 0; level < 2; ++level) {
            const std::int64_t at = root + (field ^ kSubdirectoryFlag);
            if (!FirstSubdirectoryEntry(fSource.ReadRange(at, at + kSubdirectoryReadSize - 1),
                                        field)) {
                return {};
            }
        }
        const std::string data = fSource.ReadRange(root + field, root + field + kDataEntrySize - 1);
        if (static_cast<std::int64_t>(data.size()) != kDataEntrySize) {
            return {};
        }
        const std::uint32_t size = ReadDWord(data, 4);
        const std::uint32_t offset = RvaToFileOffset(ReadDWord(data, 0));
        if (size == 0 || size > kMaxVersionResourceSize || offset == 0 ||
            offset == kInvalidFileOffset) {
            return {};
        }
        std::string block = fSource.ReadRange(offset, std::int64_t{offset} + size - 1);
        if (block.size() != size) {
            return {};
        }
        return block;
    }
    return {};
}

} // namespace brivane
