#pragma once
// What the systems' implementations of files.h share.

#include "platform/files.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace brivane::platform {

// The failed reads of ReadRegularFile, worded alike on every system.
TFileRead ReadFailure(TReadError aError, std::string aReason);

// "larger than 1 MiB", or "larger than 1000 bytes" for a limit of no whole MiB.
TFileRead TooLargeFailure(std::size_t aMaxSize);

// The folder that WriteFileAtomically writes aPath in, created with its parents when
// missing; "." for a bare name. Throws std::runtime_error when it cannot be created.
std::filesystem::path CreateFolderOf(const std::filesystem::path& aPath);

// How many bytes a file of aSize holds of the range from aStart to aEnd (both included);
// 0 for a range that is empty or lies beyond the file's end.
std::size_t RangeLength(std::int64_t aStart, std::int64_t aEnd, std::int64_t aSize);

} // namespace brivane::platform
