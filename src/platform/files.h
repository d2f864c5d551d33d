#pragma once
// Whole-file reads and crash-safe whole-file writes.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace brivane::platform {

// The file's bytes, or nothing when it is missing, unreadable or larger than aMaxSize
// (no buffer is ever sized from a file that could be arbitrarily large).
std::optional<std::string> ReadFileBytes(const std::filesystem::path& aPath, std::size_t aMaxSize);

// Writes aBytes to a temporary file in the target's folder, flushes it to disk and
// renames it over aPath, so a crash or a full disk leaves either the old or the new
// file, never a truncated one. Creates missing parent folders. Throws
// std::runtime_error with the reason on failure; the old file is then untouched.
void WriteFileAtomically(const std::filesystem::path& aPath, std::string_view aBytes);

} // namespace brivane::platform
