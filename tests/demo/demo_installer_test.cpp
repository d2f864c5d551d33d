#include "demo/demo_installer.h"

#include "platform/executable_files.h"
#include "platform/registry.h"
#include "platform/registry_source.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace brivane::test {
namespace {

using demo::EDemoInstallerError;

constexpr const char* kInstaller = R"({
  "program": "Sample 2.0",
  "records": [
    {"key": "Sample_is1", "values": {"DisplayName": "Sample \"Pro\" 2.0 \u2122 C:\\x",
                                     "DisplayVersion": "2.0"}}
  ],
  "files": [{"path": "C:\\Program Files\\Sample\\sample.exe", "version": "2.0.1.7"}]
})";

// A demo machine with aRecord of the uninstall key read back through the registry.
class DemoInstallerTest : public ::testing::Test {
protected:
    DemoInstallerTest() { demo::MakeDemoPrefix(Prefix()); }

    std::filesystem::path Prefix() const { return fDir / "prefix"; }

    std::optional<std::string> Value(const std::string& aKey, const std::string& aName) const {
        platform::SetRegistryPathOverride(Prefix());
        const auto registry = platform::OpenRegistry();
        platform::SetRegistryPathOverride({});
        EXPECT_TRUE(registry->GetWarnings().empty());
        const auto key =
            registry->OpenKey(platform::TRegistryHive::LocalMachine,
                              "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + aKey,
                              platform::TRegistryView::Bits64);
        return key ? key->ReadString(aName) : std::nullopt;
    }

    TTempDir fDir;
};

TEST_F(DemoInstallerTest, RecordsTheProgramAndWritesItsExecutable) {
    const auto install = demo::ParseDemoInstaller(kInstaller);
    EXPECT_EQ(install.Program, "Sample 2.0");
    demo::ApplyDemoInstall(install, Prefix());
    EXPECT_EQ(Value("Sample_is1", "DisplayName"), "Sample \"Pro\" 2.0 \u2122 C:\\x");
    EXPECT_EQ(Value("Sample_is1", "DisplayVersion"), "2.0");
    EXPECT_EQ(platform::GetFileVersion(platform::TWindowsPathResolver(Prefix()),
                                       "C:\\Program Files\\Sample\\sample.exe"),
              "2.0.1.7");

    // An update records the same key again: its values win.
    demo::ApplyDemoInstall(demo::ParseDemoInstaller(
                               R"({"program": "Sample 2.1", "records": [{"key": "Sample_is1",
                "values": {"DisplayVersion": "2.1"}}]})"),
                           Prefix());
    EXPECT_EQ(Value("Sample_is1", "DisplayVersion"), "2.1");
}

TEST_F(DemoInstallerTest, RunsFromTheRegistrySourceAndWritesNoOtherPrefix) {
    const auto file = fDir.Write("setup.exe", kInstaller);
    {
        TScopedEnv source("BRIVANE_REGISTRY", Prefix().c_str());
        EXPECT_EQ(demo::RunDemoInstaller(file), "Sample 2.0");
    }
    EXPECT_EQ(Value("Sample_is1", "DisplayVersion"), "2.0");

    // A Wine prefix that is not the demo's stays as it is.
    demo::MakePrefixFolders(fDir / "wine");
    const auto hive = fDir.Write("wine/system.reg", "WINE REGISTRY Version 2\n");
    TScopedEnv source("BRIVANE_REGISTRY", (fDir / "wine").c_str());
    EXPECT_THROW(demo::RunDemoInstaller(file), EDemoInstallerError);
    EXPECT_EQ(ReadAll(hive), "WINE REGISTRY Version 2\n");
    EXPECT_FALSE(std::filesystem::exists(fDir / "wine" / "drive_c" / "Program Files"));
    // Nor does an exported .reg file.
    const auto exported = fDir.Write("machine.reg", "REGEDIT4\n");
    TScopedEnv exportSource("BRIVANE_REGISTRY", exported.c_str());
    EXPECT_THROW(demo::RunDemoInstaller(file), EDemoInstallerError);
    EXPECT_EQ(ReadAll(exported), "REGEDIT4\n");
}

TEST_F(DemoInstallerTest, RefusesWhatIsNoDemoInstaller) {
    const std::string installer = kInstaller;
    const std::string valid = R"({"program": "P", "records": [{"key": "K", "values": {}}]})";
    const auto withRecord = [](const std::string& aRecord) {
        return R"({"program": "P", "records": [)" + aRecord + "]}";
    };
    const auto withFile = [](const std::string& aPath, const std::string& aVersion) {
        return R"({"program": "P", "records": [], "files": [{"path": ")" + aPath +
               R"(", "version": ")" + aVersion + R"("}]})";
    };
    struct TCase {
        const char* What;
        std::string Bytes;
        const char* Reason;
    };
    const TCase cases[] = {
        {"truncated", installer.substr(0, installer.size() / 2), "not a JSON object"},
        {"oversized", valid + std::string(demo::kMaxDemoInstallerSize, ' '), "larger than 64 KiB"},
        {"the stand-in installer", std::string(2048, 'x'), "not a JSON object"},
        {"empty", "", "not a JSON object"},
        {"an array", "[]", "not a JSON object"},
        {"deeply nested", std::string(100, '[') + std::string(100, ']'), "nested deeper"},
        {"no program", R"({"records": [{"key": "K", "values": {}}]})", "no program"},
        {"records not a list", R"({"program": "P", "records": {}})", "no records"},
        {"nothing to install", R"({"program": "P", "records": []})", "installs nothing"},
        {"a record not an object", withRecord("1"), "not an object"},
        {"a key leaving the uninstall key", withRecord(R"({"key": "..\\Run", "values": {}})"),
         "not a plain key name"},
        {"a key with a bracket", withRecord(R"({"key": "K]", "values": {}})"),
         "not a plain key name"},
        {"a key too long",
         withRecord(R"({"key": ")" + std::string(256, 'k') + R"(", "values": {}})"),
         "not a plain key name"},
        {"a key with a line break", withRecord(R"({"key": "K\n[X]", "values": {}})"),
         "control characters"},
        {"a number value", withRecord(R"({"key": "K", "values": {"DisplayVersion": 2}})"),
         "not a named text"},
        {"a value named with a line break",
         withRecord(R"({"key": "K", "values": {"A\n[B]": "x"}})"), "not a named text"},
        {"a file on drive D", withFile("D:\\\\x.exe", "1.0"), "not on drive C"},
        {"a file above drive C", withFile("C:\\\\..\\\\x.exe", "1.0"), "not plain"},
        {"a file in a slashed path", withFile("C:\\\\a/../../x.exe", "1.0"), "not plain"},
        {"an empty name", withFile("C:\\\\a\\\\\\\\x.exe", "1.0"), "not plain"},
        {"five version parts", withFile("C:\\\\x.exe", "1.2.3.4.5"), "no file version"},
        {"a version part too large", withFile("C:\\\\x.exe", "1.70000"), "no file version"},
        {"a version with letters", withFile("C:\\\\x.exe", "1.0a"), "no file version"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        try {
            demo::ParseDemoInstaller(c.Bytes);
            ADD_FAILURE() << "accepted";
        } catch (const EDemoInstallerError& e) {
            EXPECT_NE(std::string(e.what()).find(c.Reason), std::string::npos) << e.what();
        }
    }
    EXPECT_NO_THROW(demo::ParseDemoInstaller(valid));
}

TEST_F(DemoInstallerTest, AnOversizedFileIsRefusedUnread) {
    const auto file = fDir.Write("setup.exe", std::string(demo::kMaxDemoInstallerSize + 1, ' '));
    try {
        demo::ReadDemoInstaller(file);
        ADD_FAILURE() << "accepted";
    } catch (const EDemoInstallerError& e) {
        EXPECT_NE(std::string(e.what()).find("larger than"), std::string::npos) << e.what();
    }
    EXPECT_THROW(demo::ReadDemoInstaller(fDir / "missing.exe"), EDemoInstallerError);
}

} // namespace
} // namespace brivane::test
