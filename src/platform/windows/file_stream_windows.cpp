#include "platform/file_stream.h"

#include "platform/windows/handle.h"

#include <windows.h>

#include <cerrno>
#include <fcntl.h>
#include <io.h>

namespace brivane::platform {

// The C runtime the program links (msvcrt) knows no "x" mode: an exclusive file is
// created with CREATE_NEW, and the stream is opened on its handle.
std::FILE* OpenFileForWriting(const std::filesystem::path& aPath, TFileCreation aCreation) {
    windows::THandle file(
        CreateFileW(aPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                    aCreation == TFileCreation::Exclusive ? CREATE_NEW : CREATE_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const DWORD error = GetLastError();
        errno = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS      ? EEXIST
                : error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ENOENT
                : error == ERROR_ACCESS_DENIED                                   ? EACCES
                                                                                 : EIO;
        return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file.Get()), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        return nullptr;
    }
    file.Release(); // the descriptor owns the handle now
    std::FILE* stream = _wfdopen(fd, L"wb");
    if (stream == nullptr) {
        _close(fd);
    }
    return stream;
}

bool TruncateFileStream(std::FILE* aFile) {
    return _chsize_s(_fileno(aFile), 0) == 0;
}

} // namespace brivane::platform
