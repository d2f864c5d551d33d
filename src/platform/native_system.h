#pragma once
// What only the running Windows itself can answer, for the portable readers of the
// registry's files and of Windows paths. Elsewhere there is no running Windows: both
// give nothing, and the callers fall back on the files.

#include "platform/registry.h"
#include "platform/system_facts.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace brivane::platform {

// The existing local file or folder that a Windows path names on the running system,
// environment variables ("%ProgramFiles%") expanded; nothing when it does not exist or
// there is no running Windows.
std::optional<std::filesystem::path> ResolveNativeWindowsPath(std::string_view aWindowsPath);

// The version of the running system, when aRegistry is its live registry; nothing
// for a registry read from files.
std::optional<TSystemVersion> ReadRunningSystemVersion(const IRegistry& aRegistry);

} // namespace brivane::platform
