#pragma once
// Where the registry is read from. Everything that needs to know (the registry
// reader, the resolver of Windows paths into a Wine prefix) asks here, so the
// choice is made in one place:
//   1. the path given with --registry (SetRegistryPathOverride),
//   2. the environment variable BRIVANE_REGISTRY,
//   3. the environment variable WINEPREFIX,
//   4. ~/.wine when that folder exists,
//   5. otherwise no registry at all (on Windows: the live registry).
// A path names a Wine prefix when it is a folder, an exported .reg file otherwise.

#include <filesystem>
#include <optional>
#include <string>

namespace brivane::platform {

enum class TRegistrySourceKind {
    None,       // an empty registry
    System,     // the running Windows' own registry
    WinePrefix, // fPath is the prefix folder (system.reg, user.reg, drive_c)
    ExportFile, // fPath is a .reg file written by regedit
};

struct TRegistrySource {
    TRegistrySourceKind fKind = TRegistrySourceKind::None;
    std::filesystem::path fPath;
    std::string fOrigin; // where the choice came from: "--registry", "WINEPREFIX", ...
};

// Set by the front end for --registry; an empty path removes the override.
void SetRegistryPathOverride(const std::filesystem::path& aPath);

TRegistrySource GetRegistrySource();

// The Wine prefix folder of the current source, if it is one.
std::optional<std::filesystem::path> GetWinePrefixFolder();

} // namespace brivane::platform
