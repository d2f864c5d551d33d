#pragma once
// A kernel object handle closed when its owner goes.

#include <windows.h>

#include <cstdint>
#include <filesystem>

namespace brivane::platform::windows {

class THandle {
public:
    THandle() = default;
    explicit THandle(HANDLE aHandle) : fHandle(aHandle) {}
    ~THandle() { Reset(); }
    THandle(THandle&& aOther) noexcept : fHandle(aOther.Release()) {}
    THandle& operator=(THandle&& aOther) noexcept {
        if (this != &aOther) {
            Reset(aOther.Release());
        }
        return *this;
    }
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;

    HANDLE Get() const { return fHandle; }
    // CreateFileW fails with INVALID_HANDLE_VALUE, most other calls with null.
    bool Valid() const { return fHandle != nullptr && fHandle != INVALID_HANDLE_VALUE; }
    HANDLE Release() {
        const HANDLE handle = fHandle;
        fHandle = nullptr;
        return handle;
    }
    void Reset(HANDLE aHandle = nullptr) {
        if (Valid()) {
            CloseHandle(fHandle);
        }
        fHandle = aHandle;
    }

private:
    HANDLE fHandle = nullptr;
};

// Opens a regular file for reading, shared with writers and deleters. A folder, a
// device or a pipe is refused without waiting for it: aError is then
// ERROR_BAD_FILE_TYPE; otherwise GetLastError's code. aSize receives the file's size.
THandle OpenRegularFileHandle(const std::filesystem::path& aPath, std::int64_t& aSize,
                              DWORD& aError);

} // namespace brivane::platform::windows
