#pragma once
// Whole-file reads and crash-safe whole-file writes.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace brivane::platform {

enum class TReadError { None, Missing, NotRegularFile, TooLarge, Unreadable };

// A whole-file read: the bytes, or why there are none.
struct TFileRead {
    std::optional<std::string> Bytes;
    TReadError Error = TReadError::None;
    std::string Reason; // "not a regular file", "larger than 1 MiB", "Permission denied"
};

// Reads a regular file of at most aMaxSize bytes (no buffer is ever sized from a file
// that could be arbitrarily large). A FIFO, a device or a folder is not read, nor even
// waited for: opening one never blocks.
TFileRead ReadRegularFile(const std::filesystem::path& aPath, std::size_t aMaxSize);

// ReadRegularFile's bytes: nothing when the file is missing, not a regular file,
// unreadable or larger than aMaxSize.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& aPath, std::size_t aMaxSize);

// Opens a regular file for reading without blocking on a FIFO or a device; -1 (errno
// set, ENODEV for a file that is not regular) when it cannot be. aSize receives its size.
int OpenRegularFile(const std::filesystem::path& aPath, std::int64_t& aSize);

// Whether the file's permissions forbid writing it: no write permission for us, or
// none for anybody (which even the superuser takes as "read-only"). False for a
// missing file.
bool IsReadOnlyFile(const std::filesystem::path& aPath);

// Writes aBytes to a temporary file in the target's folder, flushes it to disk and
// renames it over aPath, so a crash or a full disk leaves either the old or the new
// file, never a truncated one. The new file keeps the permissions of the one it
// replaces. Creates missing parent folders. Throws
// std::runtime_error with the reason on failure; the old file is then untouched.
void WriteFileAtomically(const std::filesystem::path& aPath, std::string_view aBytes);

// Deletes a file (a folder never); false when it cannot be deleted.
bool DeleteFileOnly(const std::filesystem::path& aPath);

// Deletes the temporary files that writes like WriteFileAtomically's left directly in
// aFolder when the program ended between creating and renaming them, if they were last
// written longer than aMinimumAge ago (a younger one may be another process's write in
// progress). A file that cannot be deleted is skipped.
void RemoveStaleAtomicWriteFiles(const std::filesystem::path& aFolder,
                                 std::chrono::seconds aMinimumAge);

} // namespace brivane::platform
