#include "platform/files.h"

#include "platform/files_common.h"
#include "platform/windows/handle.h"
#include "platform/windows/random_name.h"
#include "platform/windows/security_attributes.h"
#include "platform/windows/wide.h"

#include <windows.h>

#include <aclapi.h>

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <stdexcept>

namespace brivane::platform {

namespace windows {

THandle OpenRegularFileHandle(const std::filesystem::path& aPath, std::int64_t& aSize,
                              DWORD& aError) {
    // FILE_FLAG_BACKUP_SEMANTICS lets a folder open, so it is told apart from a file we
    // may not read; devices and pipes open without waiting and are refused below.
    THandle file(CreateFileW(aPath.c_str(), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.Valid()) {
        aError = GetLastError();
        return {};
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file.Get()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(file.Get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        aError = ERROR_BAD_FILE_TYPE;
        return {};
    }
    aSize = static_cast<std::int64_t>((static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) |
                                      info.nFileSizeLow);
    aError = ERROR_SUCCESS;
    return file;
}

bool WriteAll(HANDLE aFile, std::string_view aBytes) {
    while (!aBytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(aBytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(aFile, aBytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        aBytes.remove_prefix(written);
    }
    return true;
}

} // namespace windows

namespace {

using windows::Narrow;
using windows::SystemMessage;
using windows::THandle;

bool IsMissingError(DWORD aError) {
    return aError == ERROR_FILE_NOT_FOUND || aError == ERROR_PATH_NOT_FOUND ||
           aError == ERROR_INVALID_NAME || aError == ERROR_BAD_NETPATH;
}

std::runtime_error SystemError(const std::string& aWhat, const std::filesystem::path& aPath,
                               DWORD aError) {
    return std::runtime_error(aWhat + " '" + Narrow(aPath.wstring()) +
                              "': " + SystemMessage(aError));
}

// The access list of an existing file, for a file made to replace it; none for an empty
// path or a file that has none we may read.
class TSecurityOf : public windows::TSecurityAttributes {
public:
    explicit TSecurityOf(const std::filesystem::path& aPath) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (!aPath.empty() &&
            GetNamedSecurityInfoW(aPath.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                  nullptr, nullptr, nullptr, &descriptor) == ERROR_SUCCESS) {
            Reset(descriptor);
        }
    }
};

} // namespace

int OpenRegularFile(const std::filesystem::path& aPath, std::int64_t& aSize) {
    DWORD error = ERROR_SUCCESS;
    THandle file = windows::OpenRegularFileHandle(aPath, aSize, error);
    if (!file.Valid()) {
        errno = IsMissingError(error)          ? ENOENT
                : error == ERROR_BAD_FILE_TYPE ? ENODEV
                : error == ERROR_ACCESS_DENIED ? EACCES
                                               : EIO;
        return -1;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file.Get()), _O_RDONLY | _O_BINARY);
    if (fd >= 0) {
        file.Release(); // the descriptor owns the handle now
    }
    return fd;
}

TFileRead ReadRegularFile(const std::filesystem::path& aPath, std::size_t aMaxSize) {
    std::int64_t size = 0;
    DWORD error = ERROR_SUCCESS;
    const THandle file = windows::OpenRegularFileHandle(aPath, size, error);
    if (!file.Valid()) {
        if (IsMissingError(error)) {
            return ReadFailure(TReadError::Missing, "no such file");
        }
        if (error == ERROR_BAD_FILE_TYPE) {
            return ReadFailure(TReadError::NotRegularFile, "not a regular file");
        }
        return ReadFailure(TReadError::Unreadable, SystemMessage(error));
    }
    if (static_cast<std::uint64_t>(size) > aMaxSize) {
        return TooLargeFailure(aMaxSize);
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size));
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr)) {
            return ReadFailure(TReadError::Unreadable, SystemMessage(GetLastError()));
        }
        if (read == 0) {
            break;
        }
        // The file may grow while it is read: the limit still holds.
        if (bytes.size() + read > aMaxSize) {
            return TooLargeFailure(aMaxSize);
        }
        bytes.append(buffer, read);
    }
    return {std::move(bytes), TReadError::None, {}};
}

bool IsReadOnlyFile(const std::filesystem::path& aPath) {
    const DWORD attributes = GetFileAttributesW(aPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return true;
    }
    // Asking for write access changes nothing; a file that others hold open is not
    // read-only for that.
    THandle file(CreateFileW(aPath.c_str(), FILE_WRITE_DATA,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return !file.Valid() && GetLastError() == ERROR_ACCESS_DENIED;
}

void WriteFileAtomically(const std::filesystem::path& aPath, std::string_view aBytes) {
    const std::filesystem::path folder = CreateFolderOf(aPath);
    // Only a file is replaced: a folder of that name stays, with all it holds.
    const DWORD target = GetFileAttributesW(aPath.c_str());
    if (target != INVALID_FILE_ATTRIBUTES && (target & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        throw SystemError("Cannot replace", aPath, ERROR_DIRECTORY);
    }
    // The new file is the replaced one's from its creation on: the same access list, so
    // that a private file's new contents are never open to others, and the same hidden
    // and system attributes. ReplaceFileW carries both over on Windows, Wine's does not.
    const bool replacing = target != INVALID_FILE_ATTRIBUTES;
    TSecurityOf security(replacing ? aPath : std::filesystem::path());
    const DWORD kept = replacing ? target & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM) : 0;
    std::filesystem::path temporary;
    THandle file;
    // The name RemoveStaleAtomicWriteFiles recognises: "." + the name + "." + six
    // random letters and digits.
    for (int attempt = 0; attempt < 100 && !file.Valid(); ++attempt) {
        temporary = folder / (L"." + aPath.filename().wstring() + L"." +
                              windows::Wide(windows::RandomNameSuffix()));
        file.Reset(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, security.Get(), CREATE_NEW,
                               kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid() && GetLastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    if (!file.Valid()) {
        throw SystemError("Cannot create a temporary file in", folder, GetLastError());
    }
    const auto fail = [&](const char* aWhat) {
        const DWORD error = GetLastError();
        file.Reset();
        DeleteFileW(temporary.c_str());
        return SystemError(aWhat, aPath, error);
    };
    if (!windows::WriteAll(file.Get(), aBytes)) {
        throw fail("Cannot write");
    }
    if (!FlushFileBuffers(file.Get())) {
        throw fail("Cannot flush");
    }
    if (!CloseHandle(file.Release())) {
        throw fail("Cannot close");
    }
    // ReplaceFileW keeps the replaced file's attributes and security; a new file is
    // moved into place, written through to the disk before the call returns.
    const bool replaced = GetFileAttributesW(aPath.c_str()) != INVALID_FILE_ATTRIBUTES &&
                          ReplaceFileW(aPath.c_str(), temporary.c_str(), nullptr,
                                       REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
    if (!replaced && !MoveFileExW(temporary.c_str(), aPath.c_str(),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        throw fail("Cannot replace");
    }
}

bool DeleteFileOnly(const std::filesystem::path& aPath) {
    return DeleteFileW(aPath.c_str()) != 0; // a folder fails
}

} // namespace brivane::platform
