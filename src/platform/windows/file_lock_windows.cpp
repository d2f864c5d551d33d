#include "platform/file_lock.h"

#include "platform/windows/wide.h"

#include <windows.h>

#include <stdexcept>

namespace brivane::platform {

TFileLock::TFileLock(const std::filesystem::path& aPath) {
    // Every opener shares the file; the lock, not the sharing mode, excludes them.
    const HANDLE file = CreateFileW(aPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("Cannot open the lock file '" + windows::Narrow(aPath.wstring()) +
                                 "': " + windows::SystemMessage(GetLastError()));
    }
    // The lock belongs to the handle, so two objects of one process exclude each other
    // as two processes do. Without LOCKFILE_FAIL_IMMEDIATELY the call waits for it.
    OVERLAPPED whole{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
        const DWORD error = GetLastError();
        CloseHandle(file);
        throw std::runtime_error("Cannot lock '" + windows::Narrow(aPath.wstring()) +
                                 "': " + windows::SystemMessage(error));
    }
    fHandle = reinterpret_cast<std::intptr_t>(file);
}

TFileLock::~TFileLock() {
    CloseHandle(reinterpret_cast<HANDLE>(fHandle)); // releases the lock
}

} // namespace brivane::platform
