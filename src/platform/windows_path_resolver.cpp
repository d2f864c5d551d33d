#include "platform/windows_paths.h"

#include "base/unicode.h"
#include "platform/native_system.h"

#include <algorithm>

namespace brivane::platform {

namespace fs = std::filesystem;

namespace {

bool IsSeparator(char aChar) {
    return aChar == '\\' || aChar == '/';
}

bool IsDriveLetter(char aChar) {
    return (aChar >= 'A' && aChar <= 'Z') || (aChar >= 'a' && aChar <= 'z');
}

// The entry of aFolder named aName, in its exact case if there is one, else the first
// (in byte order, so the choice is stable) that differs only in case.
std::optional<fs::path> FindEntry(const fs::path& aFolder, const std::string& aName) {
    std::error_code error;
    const fs::path exact = aFolder / aName;
    if (fs::exists(exact, error)) {
        return exact;
    }
    std::optional<std::string> best;
    for (fs::directory_iterator it(aFolder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (SameText(name, aName) && (!best || name < *best)) {
            best = name;
        }
    }
    if (!best) {
        return std::nullopt;
    }
    return aFolder / *best;
}

// The names of a Windows path after its drive: empty ones and "." dropped, ".." taking
// back the name before it (never past the drive's root).
std::vector<std::string> SplitNames(std::string_view aPath) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= aPath.size()) {
        std::size_t end = start;
        while (end < aPath.size() && !IsSeparator(aPath[end])) {
            ++end;
        }
        const std::string_view name = aPath.substr(start, end - start);
        if (name == "..") {
            if (!names.empty()) {
                names.pop_back();
            }
        } else if (!name.empty() && name != ".") {
            names.emplace_back(name);
        }
        start = end + 1;
    }
    return names;
}

} // namespace

std::optional<fs::path> TWindowsPathResolver::Resolve(std::string_view aWindowsPath) const {
    if (fPrefix.empty()) {
        return ResolveNativeWindowsPath(aWindowsPath);
    }
    // Only absolute paths with a drive letter name files: "X:", "X:\..." or "X:/...".
    if (aWindowsPath.size() < 2 || !IsDriveLetter(aWindowsPath[0]) || aWindowsPath[1] != ':' ||
        (aWindowsPath.size() > 2 && !IsSeparator(aWindowsPath[2]))) {
        return std::nullopt;
    }
    auto current = FindEntry(fPrefix / "dosdevices", std::string{aWindowsPath.substr(0, 2)});
    if (!current) {
        return std::nullopt;
    }
    for (const std::string& name : SplitNames(aWindowsPath.substr(2))) {
        current = FindEntry(*current, name);
        if (!current) {
            return std::nullopt;
        }
    }
    std::error_code error;
    if (!fs::exists(*current, error)) {
        return std::nullopt; // a drive link that leads nowhere
    }
    return current;
}

bool TWindowsPathResolver::FileExists(std::string_view aWindowsPath) const {
    const auto path = Resolve(aWindowsPath);
    std::error_code error;
    return path && fs::is_regular_file(*path, error);
}

bool TWindowsPathResolver::FolderExists(std::string_view aWindowsPath) const {
    const auto path = Resolve(aWindowsPath);
    std::error_code error;
    return path && fs::is_directory(*path, error);
}

std::vector<std::string> TWindowsPathResolver::ListFolder(std::string_view aWindowsFolder,
                                                          std::string_view aMask) const {
    std::vector<std::string> names;
    const auto folder = Resolve(aWindowsFolder);
    if (!folder) {
        return names;
    }
    std::error_code error;
    for (fs::directory_iterator it(*folder, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        if (MatchesMask(name, aMask)) {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end(), [](const std::string& aLeft, const std::string& aRight) {
        const int order = CompareText(aLeft, aRight);
        return order != 0 ? order < 0 : aLeft < aRight;
    });
    return names;
}

} // namespace brivane::platform
