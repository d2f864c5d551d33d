#include "platform/native_system.h"

namespace brivane::platform {

std::optional<std::filesystem::path> ResolveNativeWindowsPath(std::string_view) {
    return std::nullopt;
}

std::optional<TSystemVersion> ReadRunningSystemVersion(const IRegistry&) {
    return std::nullopt;
}

} // namespace brivane::platform
