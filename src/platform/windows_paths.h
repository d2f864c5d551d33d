#pragma once
// Finds the local files that Windows paths name. Installed programs are described by
// Windows paths ("C:\Program Files\CCleaner\CCleaner.exe"); every question about such
// a file (does it exist, its version, its icon, the contents of its folder) goes
// through one resolver.
//
// Without a prefix, on Windows a path names itself, its environment variables
// ("%ProgramFiles%") expanded; elsewhere it names no file. With a prefix it names a file
// in that Wine prefix through the prefix's drive links (dosdevices/c:, dosdevices/d:,
// ...; Windows, which cannot follow them, reaches the C: drive alone, as drive_c): drive
// letters compare without case, backslashes and slashes separate names, and a name that
// is not found in its exact case matches one that differs only in case.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brivane::platform {

class TWindowsPathResolver {
public:
    TWindowsPathResolver() = default; // no prefix
    explicit TWindowsPathResolver(std::filesystem::path aPrefix) : fPrefix(std::move(aPrefix)) {}

    const std::filesystem::path& Prefix() const { return fPrefix; }

    // The local path of the existing file or folder, or nothing.
    std::optional<std::filesystem::path> Resolve(std::string_view aWindowsPath) const;

    bool FileExists(std::string_view aWindowsPath) const;
    bool FolderExists(std::string_view aWindowsPath) const;

    // The names in a folder that match a mask of '*' and '?' (compared without case),
    // in case-insensitive order; empty when the folder does not exist.
    std::vector<std::string> ListFolder(std::string_view aWindowsFolder,
                                        std::string_view aMask = "*") const;

private:
    std::filesystem::path fPrefix;
};

// The resolver of the registry source in use (see registry_source.h): its Wine
// prefix, or none when the source is an exported file or no registry at all.
TWindowsPathResolver CurrentWindowsPathResolver();

// Whether a name matches a mask of '*' (any run of characters) and '?' (one character),
// compared without case.
bool MatchesMask(std::string_view aName, std::string_view aMask);

} // namespace brivane::platform
