#pragma once
// Well-known folders of the current user, and the program's own folders among them.

#include <filesystem>

namespace brivane::platform {

// The folder under which per-user application data lives: $XDG_DATA_HOME when it is
// an absolute path (on Windows too, where the demo and tests set it), else the roaming
// application-data folder (Windows) or ~/.local/share (Linux). Empty when it cannot be
// determined.
std::filesystem::path GetRoamingDataFolder();

// The system's temporary folder.
std::filesystem::path GetTempFolder();

// The running executable. Empty when it cannot be determined.
std::filesystem::path GetExecutableFile();

// The folder of the running executable (where the read-only data shipped with the
// program lies). Empty when it cannot be determined.
std::filesystem::path GetExecutableFolder();

// The program's per-user data folder (settings, caches), with a trailing separator.
std::filesystem::path GetAppDataFolder();

// The folder into which installers are downloaded, with a trailing separator. It is
// built from the APPDATA environment variable; where that is unset (Linux), from the
// same roaming data folder as GetAppDataFolder.
std::filesystem::path GetDownloadsFolder();

} // namespace brivane::platform
