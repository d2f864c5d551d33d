#pragma once
// The demo's installers: small JSON files that the demo world serves at installer
// addresses (data/demo/installers/) and that the demo launcher "runs", recording the
// program in the demo machine as a real installer would:
//
//   {"program": "7-Zip 16.02",
//    "records": [{"key": "7-Zip", "values": {"DisplayName": "7-Zip 16.02 (x64)"}}],
//    "files": [{"path": "C:\\Program Files\\7-Zip\\7zFM.exe", "version": "16.2"}]}
//
// Each record is an uninstall record, a key below the machine's
// Software\Microsoft\Windows\CurrentVersion\Uninstall with string values; each file an
// executable on drive C with that file version. The demo machine's own program files
// (data/demo/machine/files.json) are written the same way.

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brivane::demo {

// Larger files are no demo installers.
inline constexpr std::size_t kMaxDemoInstallerSize = 64 * 1024;

class EDemoInstallerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TDemoRecord {
    std::string Key;
    std::vector<std::pair<std::string, std::string>> Values; // in the file's order
};

struct TDemoFile {
    std::string Path; // "C:\Program Files\..."
    std::string Version;
};

struct TDemoInstall {
    std::string Program;
    std::vector<TDemoRecord> Records;
    std::vector<TDemoFile> Files;
};

// The installer in aBytes; EDemoInstallerError saying why when it is none (too large,
// not JSON, a member missing or of the wrong kind, a key or path that would reach
// outside its place, a version that is not one).
TDemoInstall ParseDemoInstaller(std::string_view aBytes);

// The installer in aFile (EDemoInstallerError when it cannot be read or is none).
TDemoInstall ReadDemoInstaller(const std::filesystem::path& aFile);

// Makes aPrefix an empty demo machine: the folders of a Wine prefix with drive C, empty
// hives where there are none yet, and the mark that lets demo installers write there.
void MakeDemoPrefix(const std::filesystem::path& aPrefix, bool aWindows64 = true);

// The folders of a Wine prefix: drive_c, and dosdevices/c: leading to it (not on
// Windows, which reads the C: drive as drive_c).
void MakePrefixFolders(const std::filesystem::path& aPrefix);

// Writes the installer's files into aPrefix's drive C, then appends its records to the
// prefix's system.reg. EDemoInstallerError when aPrefix is not a demo machine (a user's
// own Wine prefix is never written) or a write fails.
void ApplyDemoInstall(const TDemoInstall& aInstall, const std::filesystem::path& aPrefix);

// What the demo launcher does with an installer file: applies it to the Wine prefix the
// registry is read from (BRIVANE_REGISTRY, which the launcher hands on). Returns the
// program installed; EDemoInstallerError saying why nothing was.
std::string RunDemoInstaller(const std::filesystem::path& aFile);

} // namespace brivane::demo
