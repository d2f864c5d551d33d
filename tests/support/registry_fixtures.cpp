#include "support/registry_fixtures.h"

#include "base/unicode.h"
#include "platform/registry_files/file_registry.h"
#include "platform/registry_files/registry_file_reader.h"
#include "support/temp_dir.h"

#include <fstream>
#include <stdexcept>
#include <vector>

namespace brivane::test {

using namespace platform::registry_files;

std::filesystem::path RegistryFixture(std::string_view aName) {
    return std::filesystem::path(BRIVANE_FIXTURES_DIR) / "registry" / aName;
}

std::string Utf16LeWithBom(std::string_view aUtf8) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : Utf8ToUtf16(aUtf8)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::filesystem::path WriteWindows10Export(const std::filesystem::path& aPath) {
    const std::string bytes = Utf16LeWithBom(ReadAll(RegistryFixture("windows10_export.txt")));
    std::ofstream out(aPath, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + aPath.string());
    }
    return aPath;
}

std::string UninstallRecordText(const std::string& aKey, const std::string& aDisplayName,
                                const std::string& aDisplayVersion) {
    return "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + aKey +
           "]\n\"DisplayName\"=\"" + aDisplayName + "\"\n\"DisplayVersion\"=\"" + aDisplayVersion +
           "\"\n\n";
}

std::shared_ptr<platform::IRegistry> WineRegistry(const std::string& aSystemReg,
                                                  const std::optional<std::string>& aUserReg) {
    auto store = std::make_shared<TRegistryStore>();
    std::vector<std::string> warnings;
    TWineHiveInfo machine;
    TWineHiveInfo user;
    const auto parse = [&](const std::string& aText, TStoreRoot aRoot, TWineHiveInfo& aInfo) {
        auto warning = ParseWineHive(aText, "test.reg", aRoot, *store, aInfo);
        if (warning.empty()) {
            return true;
        }
        warnings.push_back(std::move(warning));
        return false;
    };
    // The machine's text stands for a prefix's whole system.reg.
    const bool wholeMachine = parse(aSystemReg, TStoreRoot::LocalMachine, machine);
    if (aUserReg) {
        parse(*aUserReg, TStoreRoot::CurrentUser, user);
    }
    return MakeFileRegistry(std::move(store), machine.fIs64Bit, std::move(warnings), wholeMachine);
}

std::shared_ptr<platform::IRegistry> ExportRegistry(const std::string& aRegFileBytes) {
    auto store = std::make_shared<TRegistryStore>();
    std::vector<std::string> warnings;
    TRegFileInfo info;
    if (auto warning = ParseRegFile(aRegFileBytes, "test.reg", *store, info); !warning.empty()) {
        warnings.push_back(std::move(warning));
    }
    return MakeFileRegistry(std::move(store), std::nullopt, std::move(warnings),
                            info.fHoldsMachineSoftware);
}

} // namespace brivane::test
