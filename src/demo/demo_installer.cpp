#include "demo/demo_installer.h"

#include "base/json_depth.h"
#include "demo/wine_hive_text.h"
#include "pe/pe_writer.h"
#include "platform/files.h"
#include "platform/registry_source.h"

#include <nlohmann/json.hpp>

#include <fstream>

namespace brivane::demo {

namespace {

constexpr std::string_view kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
// The file whose presence makes a prefix a demo machine.
constexpr std::string_view kDemoMark = ".brivane-demo";
// Windows' limit on a key name.
constexpr std::size_t kMaxKeyName = 255;

[[noreturn]] void Refuse(const std::string& aWhy) {
    throw EDemoInstallerError("Not a demo installer: " + aWhy);
}

bool HasControlCharacter(std::string_view aText) {
    for (const char c : aText) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return true;
        }
    }
    return false;
}

const nlohmann::json& Member(const nlohmann::json& aObject, const char* aName,
                             nlohmann::json::value_t aType, const std::string& aWhere) {
    const auto found = aObject.find(aName);
    if (found == aObject.end() || found->type() != aType) {
        Refuse(aWhere + " has no " + aName + " of the right kind");
    }
    return *found;
}

std::string Text(const nlohmann::json& aObject, const char* aName, const std::string& aWhere) {
    std::string text = Member(aObject, aName, nlohmann::json::value_t::string, aWhere);
    if (text.empty() || HasControlCharacter(text)) {
        Refuse(aWhere + "'s " + aName + " is empty or holds control characters");
    }
    return text;
}

// The names of a path on drive C ("C:\Program Files\7-Zip\7zFM.exe"), each a plain name.
std::vector<std::string> DriveCNames(std::string_view aPath) {
    if (aPath.size() < 4 || (aPath[0] != 'C' && aPath[0] != 'c') || aPath.substr(1, 2) != ":\\") {
        Refuse("the file " + std::string(aPath) + " is not on drive C");
    }
    std::vector<std::string> names;
    std::size_t start = 3;
    while (start <= aPath.size()) {
        const std::size_t end = std::min(aPath.find('\\', start), aPath.size());
        const std::string_view name = aPath.substr(start, end - start);
        if (name.empty() || name == "." || name == ".." ||
            name.find_first_of("/:*?\"<>|") != std::string_view::npos) {
            Refuse("the file " + std::string(aPath) + " has a name that is not plain");
        }
        names.emplace_back(name);
        start = end + 1;
    }
    return names;
}

TDemoRecord ParseRecord(const nlohmann::json& aRecord) {
    if (!aRecord.is_object()) {
        Refuse("a record is not an object");
    }
    TDemoRecord record;
    record.Key = Text(aRecord, "key", "a record");
    if (record.Key.size() > kMaxKeyName || record.Key.find_first_of("\\[]") != std::string::npos) {
        Refuse("the record key " + record.Key + " is not a plain key name");
    }
    const auto& values = Member(aRecord, "values", nlohmann::json::value_t::object, record.Key);
    for (const auto& [name, value] : values.items()) {
        if (name.empty() || HasControlCharacter(name) || !value.is_string()) {
            Refuse("the record " + record.Key + " has a value that is not a named text");
        }
        record.Values.emplace_back(name, value.get<std::string>());
    }
    return record;
}

TDemoFile ParseFile(const nlohmann::json& aFile) {
    if (!aFile.is_object()) {
        Refuse("a file is not an object");
    }
    TDemoFile file{Text(aFile, "path", "a file"), Text(aFile, "version", "a file")};
    DriveCNames(file.Path);
    if (!VersionNumbers(file.Version)) {
        Refuse("the file " + file.Path + " has no file version: " + file.Version);
    }
    return file;
}

bool IsDemoPrefix(const std::filesystem::path& aPrefix) {
    std::error_code error;
    return std::filesystem::is_regular_file(aPrefix / kDemoMark, error);
}

void WriteTextFile(const std::filesystem::path& aPath, std::string_view aText) {
    try {
        platform::WriteFileAtomically(aPath, aText);
    } catch (const std::exception& e) {
        throw EDemoInstallerError(e.what());
    }
}

} // namespace

TDemoInstall ParseDemoInstaller(std::string_view aBytes) {
    if (aBytes.size() > kMaxDemoInstallerSize) {
        Refuse("larger than " + std::to_string(kMaxDemoInstallerSize / 1024) + " KiB");
    }
    if (!JsonNestingWithin(aBytes)) {
        Refuse(JsonTooDeepText());
    }
    const auto json = nlohmann::json::parse(aBytes, nullptr, false);
    if (json.is_discarded() || !json.is_object()) {
        Refuse("not a JSON object");
    }
    TDemoInstall install;
    install.Program = Text(json, "program", "the installer");
    for (const auto& record :
         Member(json, "records", nlohmann::json::value_t::array, "the installer")) {
        install.Records.push_back(ParseRecord(record));
    }
    if (json.contains("files")) {
        for (const auto& file :
             Member(json, "files", nlohmann::json::value_t::array, "the installer")) {
            install.Files.push_back(ParseFile(file));
        }
    }
    if (install.Records.empty() && install.Files.empty()) {
        Refuse("it installs nothing");
    }
    return install;
}

TDemoInstall ReadDemoInstaller(const std::filesystem::path& aFile) {
    auto read = platform::ReadRegularFile(aFile, kMaxDemoInstallerSize);
    if (read.Error == platform::TReadError::TooLarge) {
        Refuse("larger than " + std::to_string(kMaxDemoInstallerSize / 1024) + " KiB");
    }
    if (!read.Bytes) {
        throw EDemoInstallerError("Cannot read " + aFile.string() + ": " + read.Reason);
    }
    return ParseDemoInstaller(*read.Bytes);
}

void MakePrefixFolders(const std::filesystem::path& aPrefix) {
    std::filesystem::create_directories(aPrefix / "drive_c");
#ifndef _WIN32
    // Windows names no file "c:" and reads a prefix's C: drive as drive_c itself.
    std::filesystem::create_directories(aPrefix / "dosdevices");
    std::error_code error;
    if (!std::filesystem::is_symlink(aPrefix / "dosdevices" / "c:", error)) {
        std::filesystem::create_directory_symlink("../drive_c", aPrefix / "dosdevices" / "c:");
    }
#endif
}

void MakeDemoPrefix(const std::filesystem::path& aPrefix, bool aWindows64) {
    MakePrefixFolders(aPrefix);
    for (const auto& [name, hive] :
         {std::pair{"system.reg", TWineHive::Machine}, std::pair{"user.reg", TWineHive::User}}) {
        std::error_code error;
        if (!std::filesystem::exists(aPrefix / name, error)) {
            WriteTextFile(aPrefix / name, WineHiveHeader(hive, aWindows64));
        }
    }
    WriteTextFile(aPrefix / kDemoMark, "The demo's machine: demo installers write here.\n");
}

void ApplyDemoInstall(const TDemoInstall& aInstall, const std::filesystem::path& aPrefix) {
    if (!IsDemoPrefix(aPrefix)) {
        throw EDemoInstallerError("Not the demo's machine: " + aPrefix.string());
    }
    for (const auto& file : aInstall.Files) {
        std::filesystem::path target = aPrefix / "drive_c";
        for (const auto& name : DriveCNames(file.Path)) {
            target /= name;
        }
        try {
            platform::WriteFileAtomically(target, ProgramWithVersion(file.Version));
        } catch (const std::exception& e) {
            throw EDemoInstallerError("Cannot write " + file.Path + ": " + e.what());
        }
    }
    std::string text;
    for (const auto& record : aInstall.Records) {
        text += WineKeyLine(std::string(kUninstallKey) + "\\" + record.Key);
        for (const auto& [name, value] : record.Values) {
            text += WineStringLine(name, value);
        }
    }
    // Appended, as Wine adds keys: a key written again takes the new values.
    std::ofstream hive(aPrefix / "system.reg", std::ios::binary | std::ios::app);
    if (!(hive << text) || !hive.flush()) {
        throw EDemoInstallerError("Cannot write the registry of " + aPrefix.string());
    }
}

std::string RunDemoInstaller(const std::filesystem::path& aFile) {
    const TDemoInstall install = ReadDemoInstaller(aFile);
    const auto prefix = platform::GetWinePrefixFolder();
    if (!prefix) {
        throw EDemoInstallerError("The registry is not a Wine prefix: nowhere to install");
    }
    ApplyDemoInstall(install, *prefix);
    return install.Program;
}

} // namespace brivane::demo
