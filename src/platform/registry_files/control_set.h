#pragma once
// Keys of the machine's current control set (System\CurrentControlSet\...) in a
// registry read from files. There the link may lead nowhere: Wine keeps the keys
// in ControlSet001 behind a link its files do not resolve, and an offline SYSTEM
// hive has no link at all. A key missing below the link is then taken from the
// control set that System\Select marks current, else from ControlSet001.

#include "platform/registry.h"

#include <memory>
#include <string_view>

namespace brivane::platform::registry_files {

// aPath below the control set, "Control\ProductOptions"; null when no control
// set has it.
std::unique_ptr<IRegistryKey> OpenControlSetKey(const IRegistry& aRegistry, std::string_view aPath);

} // namespace brivane::platform::registry_files
