#pragma once
// An exclusive lock between processes (and between the objects of one process),
// held on a lock file for as long as the object lives: read-modify-write of a
// shared file (the settings) under it loses no other writer's change.

#include <cstdint>
#include <filesystem>

namespace brivane::platform {

class TFileLock {
public:
    // Creates aPath when it is missing and waits until the lock is ours. Throws
    // std::runtime_error with the reason when the file cannot be opened or locked.
    explicit TFileLock(const std::filesystem::path& aPath);
    ~TFileLock();
    TFileLock(const TFileLock&) = delete;
    TFileLock& operator=(const TFileLock&) = delete;

private:
    std::intptr_t fHandle = -1; // a descriptor on POSIX, a HANDLE on Windows
};

} // namespace brivane::platform
