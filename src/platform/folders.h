#pragma once
// Well-known folders of the current user.

#include <filesystem>

namespace brivane::platform {

// The folder under which per-user application data lives (Windows: the roaming
// application-data folder; Linux: $XDG_DATA_HOME, else ~/.local/share). Empty when
// it cannot be determined.
std::filesystem::path GetRoamingDataFolder();

// The system's temporary folder.
std::filesystem::path GetTempFolder();

// The folder of the running executable (where the read-only data shipped with the
// program lies). Empty when it cannot be determined.
std::filesystem::path GetExecutableFolder();

} // namespace brivane::platform
