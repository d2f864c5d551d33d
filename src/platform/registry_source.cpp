#include "platform/registry_source.h"

#include "platform/environment.h"
#include "platform/path_text.h"

#include <mutex>

namespace brivane::platform {

namespace {

std::mutex gOverrideLock;
std::filesystem::path gOverride;

std::string Environment(const char* aName) {
    return GetEnv(aName).value_or("");
}

TRegistrySource FromPath(const std::filesystem::path& aPath, std::string aOrigin) {
    std::error_code ec;
    const bool folder = std::filesystem::is_directory(aPath, ec);
    return {folder ? TRegistrySourceKind::WinePrefix : TRegistrySourceKind::ExportFile, aPath,
            std::move(aOrigin)};
}

} // namespace

void SetRegistryPathOverride(const std::filesystem::path& aPath) {
    const std::lock_guard lock(gOverrideLock);
    gOverride = aPath;
}

TRegistrySource GetRegistrySource() {
    {
        const std::lock_guard lock(gOverrideLock);
        if (!gOverride.empty()) {
            return FromPath(gOverride, "--registry");
        }
    }
    if (const std::string path = Environment("BRIVANE_REGISTRY"); !path.empty()) {
        return FromPath(PathFromUtf8(path), "BRIVANE_REGISTRY");
    }
#ifdef _WIN32
    return {TRegistrySourceKind::System, {}, "system"};
#else
    // A WINEPREFIX that is not a folder is still meant as a prefix: reading it
    // then warns instead of silently treating it as a file.
    if (const std::string prefix = Environment("WINEPREFIX"); !prefix.empty()) {
        return {TRegistrySourceKind::WinePrefix, PathFromUtf8(prefix), "WINEPREFIX"};
    }
    if (const std::string home = Environment("HOME"); !home.empty()) {
        const std::filesystem::path wine = PathFromUtf8(home) / ".wine";
        std::error_code ec;
        if (std::filesystem::is_directory(wine, ec)) {
            return {TRegistrySourceKind::WinePrefix, wine, "~/.wine"};
        }
    }
    return {};
#endif
}

std::optional<std::filesystem::path> GetWinePrefixFolder() {
    TRegistrySource source = GetRegistrySource();
    if (source.fKind != TRegistrySourceKind::WinePrefix) {
        return std::nullopt;
    }
    return std::move(source.fPath);
}

} // namespace brivane::platform
