#pragma once
// C library file streams opened by a path of either system (UTF-16 names on Windows).

#include <cstdio>
#include <filesystem>

namespace brivane::platform {

enum class TFileCreation {
    Replace,  // a new empty file, replacing one that exists
    Exclusive // a new empty file; fails when one exists (nothing is replaced)
};

// Opens aPath for writing bytes ("wb"); nullptr with errno set when it cannot.
std::FILE* OpenFileForWriting(const std::filesystem::path& aPath, TFileCreation aCreation);

// Cuts the file of a stream opened for writing to nothing, through the stream's own
// descriptor (Windows lets no second handle change a file the stream holds). The
// stream must be flushed first. False with errno set when it cannot.
bool TruncateFileStream(std::FILE* aFile);

} // namespace brivane::platform
