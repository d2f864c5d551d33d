#include "platform/files.h"

#include "platform/file_read_result.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace brivane::platform {

namespace {

std::runtime_error SystemError(const std::string& aWhat, const std::filesystem::path& aPath) {
    return std::runtime_error(aWhat + " '" + aPath.string() + "': " + std::strerror(errno));
}

class TFileDescriptor {
public:
    explicit TFileDescriptor(int aFd) : fFd(aFd) {}
    ~TFileDescriptor() {
        if (fFd >= 0) {
            ::close(fFd);
        }
    }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    int Get() const { return fFd; }
    int Release() {
        const int fd = fFd;
        fFd = -1;
        return fd;
    }

private:
    int fFd;
};

} // namespace

int OpenRegularFile(const std::filesystem::path& aPath, std::int64_t& aSize) {
    // O_NONBLOCK: opening a FIFO would otherwise wait for a writer, for ever.
    TFileDescriptor fd(::open(aPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.Get() < 0) {
        return -1;
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) {
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        errno = ENODEV;
        return -1;
    }
    // Reads of a regular file never block; clear the flag all the same.
    ::fcntl(fd.Get(), F_SETFL, ::fcntl(fd.Get(), F_GETFL) & ~O_NONBLOCK);
    aSize = static_cast<std::int64_t>(info.st_size);
    return fd.Release();
}

TFileRead ReadRegularFile(const std::filesystem::path& aPath, std::size_t aMaxSize) {
    std::int64_t size = 0;
    TFileDescriptor fd(OpenRegularFile(aPath, size));
    if (fd.Get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return ReadFailure(TReadError::Missing, "no such file");
        }
        if (errno == ENODEV || errno == ENXIO || errno == EISDIR) {
            return ReadFailure(TReadError::NotRegularFile, "not a regular file");
        }
        return ReadFailure(TReadError::Unreadable, std::strerror(errno));
    }
    if (static_cast<std::uintmax_t>(size) > aMaxSize) {
        return TooLargeFailure(aMaxSize);
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return ReadFailure(TReadError::Unreadable, std::strerror(errno));
        }
        if (n == 0) {
            break;
        }
        // The file may grow while it is read: the limit still holds.
        if (bytes.size() + static_cast<std::size_t>(n) > aMaxSize) {
            return TooLargeFailure(aMaxSize);
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return {std::move(bytes), TReadError::None, {}};
}

bool IsReadOnlyFile(const std::filesystem::path& aPath) {
    struct stat info {};
    if (::stat(aPath.c_str(), &info) != 0) {
        return false;
    }
    return (info.st_mode & 0222) == 0 || (::access(aPath.c_str(), W_OK) != 0 && errno != ENOENT);
}

void WriteFileAtomically(const std::filesystem::path& aPath, std::string_view aBytes) {
    std::filesystem::path folder = aPath.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        throw std::runtime_error("Cannot create folder '" + folder.string() + "': " + ec.message());
    }
    // Built by appending: GCC 12 at -O3 misreads "." + string as an overlapping copy.
    std::string name = ".";
    name += aPath.filename().string();
    name += ".XXXXXX";
    std::string pattern = (folder / name).string();
    TFileDescriptor fd(::mkstemp(pattern.data()));
    if (fd.Get() < 0) {
        throw SystemError("Cannot create a temporary file in", folder);
    }
    const std::filesystem::path temporary = pattern;
    const auto fail = [&](const char* aWhat) {
        const int saved = errno;
        ::unlink(temporary.c_str());
        errno = saved;
        return SystemError(aWhat, aPath);
    };
    struct stat replaced {};
    ::fchmod(fd.Get(), ::stat(aPath.c_str(), &replaced) == 0 ? replaced.st_mode & 07777 : 0644);
    std::size_t written = 0;
    while (written < aBytes.size()) {
        const ssize_t n = ::write(fd.Get(), aBytes.data() + written, aBytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw fail("Cannot write");
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd.Get()) != 0) {
        throw fail("Cannot flush");
    }
    if (::close(fd.Release()) != 0) {
        throw fail("Cannot close");
    }
    if (::rename(temporary.c_str(), aPath.c_str()) != 0) {
        throw fail("Cannot replace");
    }
    // Make the rename itself durable.
    TFileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) {
        ::fsync(dir.Get());
    }
}

bool DeleteFileOnly(const std::filesystem::path& aPath) {
    return ::unlink(aPath.c_str()) == 0; // a folder fails with EISDIR
}

} // namespace brivane::platform
