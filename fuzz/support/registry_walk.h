#pragma once
// Reads a registry built from fuzzed files the way the program does: every hive in
// both views, keys walked breadth-first (bounded, since a file may hold millions),
// and the values the inventory and the system facts read, as text, texts and numbers.

#include "platform/registry_files/file_registry.h"

#include <array>
#include <cstddef>
#include <deque>
#include <memory>
#include <string_view>
#include <utility>

namespace brivane::fuzz {

inline void WalkRegistry(const platform::IRegistry& aRegistry) {
    using namespace brivane::platform;
    static constexpr std::array kValueNames = {std::string_view{},
                                               std::string_view{"DisplayName"},
                                               std::string_view{"DisplayVersion"},
                                               std::string_view{"UninstallString"},
                                               std::string_view{"InstallLocation"},
                                               std::string_view{"CurrentVersion"},
                                               std::string_view{"EstimatedSize"},
                                               std::string_view{"SystemComponent"}};
    static constexpr std::size_t kMaxKeys = 4096;

    (void)aRegistry.Is64BitSystem();
    (void)aRegistry.GetWarnings();
    std::size_t visited = 0;
    for (const auto hive : {TRegistryHive::ClassesRoot, TRegistryHive::CurrentUser,
                            TRegistryHive::LocalMachine, TRegistryHive::Users}) {
        for (const auto view : {TRegistryView::Bits32, TRegistryView::Bits64}) {
            std::deque<std::unique_ptr<IRegistryKey>> pending;
            if (auto root = aRegistry.OpenKey(hive, "", view)) {
                pending.push_back(std::move(root));
            }
            (void)aRegistry.OpenKey(hive, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
                                    view);
            while (!pending.empty() && visited < kMaxKeys) {
                const auto key = std::move(pending.front());
                pending.pop_front();
                ++visited;
                for (const auto name : kValueNames) {
                    (void)key->ReadString(name);
                    (void)key->ReadStrings(name);
                    (void)key->ReadNumber(name);
                }
                for (const auto& name : key->GetSubkeyNames()) {
                    if (auto subkey = key->OpenSubkey(name)) {
                        pending.push_back(std::move(subkey));
                    }
                }
            }
        }
    }
}

} // namespace brivane::fuzz
