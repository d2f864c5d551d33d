#pragma once
// The running system's own registry (registry_windows.cpp), for the other parts of the
// Windows platform that must tell it from a registry read from files.

#include "platform/registry.h"

#include <windows.h>

#include <memory>
#include <string_view>

namespace brivane::platform::windows {

std::shared_ptr<IRegistry> MakeLiveRegistry();

// aPath below aParent, opened for reading in the view aView (KEY_WOW64_32KEY or
// KEY_WOW64_64KEY); null when it does not exist or may not be read.
std::unique_ptr<IRegistryKey> OpenLiveKey(HKEY aParent, std::string_view aPath, REGSAM aView);

bool IsLiveRegistry(const IRegistry& aRegistry);

} // namespace brivane::platform::windows
