#pragma once
// Readers of the two kinds of registry files:
//   - Wine's own hive files (system.reg, user.reg): "WINE REGISTRY Version 2",
//     keys relative to the hive as [Software\\Wine] with doubled backslashes,
//     "#arch=win64" in a 64-bit prefix;
//   - files exported by regedit: "Windows Registry Editor Version 5.00" in UTF-16LE
//     with a byte-order mark, or "REGEDIT4" in 8-bit text, keys with full hive
//     names ([HKEY_LOCAL_MACHINE\SOFTWARE\...]).
// A reader adds what it can read to the store and returns a one-line warning
// when the file could not be read completely (empty when all was well).

#include "platform/registry_files/registry_store.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace brivane::platform::registry_files {

// Registry files larger than this are not read at all.
inline constexpr std::size_t kMaxRegistryFileSize = std::size_t{256} << 20;

struct TWineHiveInfo {
    std::optional<bool> fIs64Bit; // from the "#arch=" line
};

struct TRegFileInfo {
    // The export holds the machine's whole Software key: it names that key (or
    // the whole hive), as regedit does for the key exported, and was read
    // completely.
    bool fHoldsMachineSoftware = false;
};

std::string ReadWineHiveFile(const std::filesystem::path& aPath, TStoreRoot aRoot,
                             TRegistryStore& aStore, TWineHiveInfo& aInfo);
std::string ReadRegFile(const std::filesystem::path& aPath, TRegistryStore& aStore,
                        TRegFileInfo& aInfo);

// The same over a file's bytes; aLabel names the file in the warning.
std::string ParseWineHive(std::string aBytes, const std::string& aLabel, TStoreRoot aRoot,
                          TRegistryStore& aStore, TWineHiveInfo& aInfo);
std::string ParseRegFile(std::string aBytes, const std::string& aLabel, TRegistryStore& aStore,
                         TRegFileInfo& aInfo);

} // namespace brivane::platform::registry_files
