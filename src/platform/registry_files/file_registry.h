#pragma once
// The registry read from files: a Wine prefix (system.reg is the machine's hive,
// user.reg the current user's) or a regedit export.
//
// Views: in a 64-bit registry the 32-bit view of the machine's Software key is
// its Wow6432Node subkey, as Windows redirects it for 32-bit programs; the
// classes (Software\Classes) and the current user's keys are shared by both
// views. A registry is 64-bit when Wine's "#arch=win64" says so, or, without
// that line, when the machine's Software key has a Wow6432Node subkey; it is
// 32-bit without that subkey only when the files hold the machine's whole
// Software key (a prefix's system.reg, or an export of that key or above it),
// since an export of a part of it tells nothing either way.
//
// The classes root is the user's Software\Classes merged over the machine's.

#include "platform/registry.h"
#include "platform/registry_files/registry_store.h"
#include "platform/registry_source.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace brivane::platform::registry_files {

// aIs64Bit: what the files say outright (Wine's "#arch"); aHoldsMachineSoftware:
// they were read completely and hold the machine's whole Software key.
std::shared_ptr<IRegistry> MakeFileRegistry(std::shared_ptr<const TRegistryStore> aStore,
                                            std::optional<bool> aIs64Bit,
                                            std::vector<std::string> aWarnings,
                                            bool aHoldsMachineSoftware);

// Reads the registry of a source now; never throws.
std::shared_ptr<IRegistry> OpenRegistryFrom(const TRegistrySource& aSource);

} // namespace brivane::platform::registry_files
