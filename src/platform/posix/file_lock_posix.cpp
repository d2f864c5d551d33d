#include "platform/file_lock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/file.h>
#include <unistd.h>

namespace brivane::platform {

TFileLock::TFileLock(const std::filesystem::path& aPath) {
    const int fd = ::open(aPath.c_str(), O_RDWR | O_CREAT | O_NOCTTY | O_CLOEXEC, 0644);
    if (fd < 0) {
        throw std::runtime_error("Cannot open the lock file '" + aPath.string() +
                                 "': " + std::strerror(errno));
    }
    // flock locks belong to the open file, so two objects of one process exclude each
    // other as two processes do.
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            const int error = errno;
            ::close(fd);
            throw std::runtime_error("Cannot lock '" + aPath.string() +
                                     "': " + std::strerror(error));
        }
    }
    fHandle = fd;
}

TFileLock::~TFileLock() {
    ::close(static_cast<int>(fHandle)); // releases the lock
}

} // namespace brivane::platform
