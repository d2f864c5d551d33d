#include "platform/folders.h"

#include <cstdlib>

namespace brivane::platform {

namespace {

std::filesystem::path FromEnvironment(const char* aName) {
    const char* value = std::getenv(aName);
    return (value != nullptr && *value != '\0') ? std::filesystem::path(value)
                                                : std::filesystem::path();
}

} // namespace

std::filesystem::path GetRoamingDataFolder() {
    if (auto xdg = FromEnvironment("XDG_DATA_HOME"); !xdg.empty() && xdg.is_absolute()) {
        return xdg;
    }
    if (auto home = FromEnvironment("HOME"); !home.empty()) {
        return home / ".local" / "share";
    }
    return {};
}

std::filesystem::path GetExecutableFile() {
    std::error_code ec;
    auto executable = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : executable;
}

std::filesystem::path GetExecutableFolder() {
    return GetExecutableFile().parent_path();
}

std::filesystem::path GetTempFolder() {
    if (auto tmp = FromEnvironment("TMPDIR"); !tmp.empty()) {
        return tmp;
    }
    return "/tmp";
}

} // namespace brivane::platform
