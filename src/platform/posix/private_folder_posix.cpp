#include "platform/private_folder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

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

} // namespace brivane::platform
