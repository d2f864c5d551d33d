#pragma once
// Layouts of the Windows formats that several files here read or write: an executable's
// resource directory and an icon file's directory.

#include <cstdint>

namespace brivane::pe_format {

// A resource directory is a header and entries of 8 bytes; an entry's second field is
// the offset of a subdirectory (high bit set) or of a data entry (address, size, code
// page, reserved).
inline constexpr std::uint32_t kDirectoryHeaderSize = 16;
inline constexpr std::uint32_t kDirectoryEntrySize = 8;
inline constexpr std::uint32_t kDataEntrySize = 16;
inline constexpr std::uint32_t kSubdirectoryFlag = 0x80000000;

// An icon file: reserved, type and count, then one entry per image that ends with the
// image's offset in the file.
inline constexpr std::uint32_t kIconDirSize = 6;
inline constexpr std::uint32_t kIconDirEntrySize = 16;

} // namespace brivane::pe_format
