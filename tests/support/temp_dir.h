#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brivane::test {

// A fresh folder under the system's temporary folder, removed with its contents.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::filesystem::path& Path() const { return fPath; }
    std::filesystem::path operator/(std::string_view aName) const { return fPath / aName; }

    // Writes a file below the folder (creating its parents) and returns its path.
    std::filesystem::path Write(std::string_view aName, std::string_view aBytes) const;

private:
    std::filesystem::path fPath;
};

std::string ReadAll(const std::filesystem::path& aPath);

// The entries directly in a folder, in no particular order.
std::vector<std::filesystem::path> FolderEntries(const std::filesystem::path& aFolder);

// The environment entries that make aFolder a child process's temporary folder: TMPDIR
// on POSIX, TMP and TEMP on Windows.
std::map<std::string, std::optional<std::string>>
TempFolderEnvironment(const std::filesystem::path& aFolder);

// Sets an environment variable (nullptr or std::nullopt unsets it) for the life
// of the object, then restores it.
class TScopedEnv {
public:
    TScopedEnv(std::string aName, const char* aValue);
    TScopedEnv(std::string aName, const std::optional<std::string>& aValue);
    // A path as its UTF-8 text (a path's c_str() is UTF-16 on Windows).
    TScopedEnv(std::string aName, const std::filesystem::path& aValue);
    ~TScopedEnv();
    TScopedEnv(const TScopedEnv&) = delete;
    TScopedEnv& operator=(const TScopedEnv&) = delete;

private:
    std::string fName;
    bool fHadValue = false;
    std::string fOldValue;
};

} // namespace brivane::test
