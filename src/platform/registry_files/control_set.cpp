#include "platform/registry_files/control_set.h"

#include <string>

namespace brivane::platform::registry_files {

namespace {

std::unique_ptr<IRegistryKey> OpenBelow(const IRegistry& aRegistry, const std::string& aSet,
                                        std::string_view aPath) {
    return aRegistry.OpenKey(TRegistryHive::LocalMachine,
                             "System\\" + aSet + "\\" + std::string(aPath), TRegistryView::Bits64);
}

// "ControlSet002" for 2: the names Windows gives its control sets.
std::string ControlSetName(std::uint64_t aNumber) {
    std::string digits = std::to_string(aNumber);
    return "ControlSet" + std::string(digits.size() < 3 ? 3 - digits.size() : 0, '0') + digits;
}

} // namespace

std::unique_ptr<IRegistryKey> OpenControlSetKey(const IRegistry& aRegistry,
                                                std::string_view aPath) {
    if (auto key = OpenBelow(aRegistry, "CurrentControlSet", aPath)) {
        return key;
    }
    std::uint64_t current = 1;
    if (const auto select = aRegistry.OpenKey(TRegistryHive::LocalMachine, "System\\Select",
                                              TRegistryView::Bits64)) {
        if (const auto number = select->ReadNumber("Current");
            number && *number > 0 && *number < 1000) {
            current = *number;
        }
    }
    auto key = OpenBelow(aRegistry, ControlSetName(current), aPath);
    if (!key && current != 1) {
        key = OpenBelow(aRegistry, ControlSetName(1), aPath);
    }
    return key;
}

} // namespace brivane::platform::registry_files
