#pragma once
// The static cache file of a program: its icon, name and descriptions, shipped beside
// the executable. The build writes these files; the program only reads them
// (TProgramInfo::LoadFromCache).

#include "catalogue/program_info.h"

#include <cstddef>
#include <string>

namespace brivane {

// The largest static file that is read: an icon and three texts stay far below it.
inline constexpr std::size_t kMaxStaticCacheFileSize = 64 * 1024 * 1024;

// The bytes of aInfo's static file. Throws std::length_error when they would exceed
// kMaxStaticCacheFileSize, so that nothing is written that could not be read back.
std::string StaticCacheFileBytes(const TProgramInfo& aInfo);

} // namespace brivane
