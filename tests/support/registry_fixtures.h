#pragma once
// Registry files for tests: the fixtures in tests/fixtures/registry/ and regedit's
// UTF-16LE export format made from UTF-8 text.

#include "platform/registry.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace brivane::test {

std::filesystem::path RegistryFixture(std::string_view aName);

// A byte-order mark followed by the text in UTF-16LE, as regedit writes .reg files.
std::string Utf16LeWithBom(std::string_view aUtf8);

// The Windows 10 export fixture in regedit's own encoding, written to aPath.
std::filesystem::path WriteWindows10Export(const std::filesystem::path& aPath);

// One uninstall record of the local machine in regedit's export text (version 5.00).
std::string UninstallRecordText(const std::string& aKey, const std::string& aDisplayName,
                                const std::string& aDisplayVersion);

// Registries made from file texts.
std::shared_ptr<platform::IRegistry> WineRegistry(const std::string& aSystemReg,
                                                  const std::optional<std::string>& aUserReg = {});
std::shared_ptr<platform::IRegistry> ExportRegistry(const std::string& aRegFileBytes);

} // namespace brivane::test
