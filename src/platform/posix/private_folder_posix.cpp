#include "platform/private_folder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace brivane::platform {

std::filesystem::path CreatePrivateFolder(const std::filesystem::path& aParent,
                                          std::string_view aPrefix) {
    // mkdtemp creates the folder with mode 0700 and fails rather than take an existing one.
    std::string pattern = (aParent / aPrefix).string() + "XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a folder in '" + aParent.string() +
                                 "': " + std::strerror(errno));
    }
    return pattern;
}

void WritePrivateFile(const std::filesystem::path& aPath, std::string_view aBytes) {
    const auto fail = [&aPath](const char* aWhat) {
        return std::runtime_error(std::string("cannot ") + aWhat + " '" + aPath.string() +
                                  "': " + std::strerror(errno));
    };
    const int fd = ::open(aPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        throw fail("create");
    }
    std::size_t written = 0;
    while (written < aBytes.size()) {
        const auto count = ::write(fd, aBytes.data() + written, aBytes.size() - written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            const auto error = fail("write");
            ::close(fd);
            ::unlink(aPath.c_str());
            throw error;
        }
        written += static_cast<std::size_t>(count);
    }
    if (::close(fd) != 0) {
        const auto error = fail("write");
        ::unlink(aPath.c_str());
        throw error;
    }
}

} // namespace brivane::platform
