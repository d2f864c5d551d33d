#include "platform/posix/file_registry.h"
#include "platform/system_facts.h"
#include "support/registry_fixtures.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/utsname.h>

namespace brivane::test {
namespace {

using namespace platform;

TEST(SystemFactsTest, ReadsAWinePrefix) {
    const auto registry = posix::OpenRegistryFrom(
        {TRegistrySourceKind::WinePrefix, RegistryFixture("wine64"), "test"});
    const TSystemVersion version = ReadSystemVersion(*registry);
    EXPECT_TRUE(version.fKnown);
    EXPECT_EQ(version.fMajor, 6u);
    EXPECT_EQ(version.fMinor, 1u);
    EXPECT_EQ(version.fBuild, 7601u);
    EXPECT_EQ(version.fServicePackMajor, 1u);
    EXPECT_EQ(version.fServicePackMinor, 0u);
    EXPECT_EQ(version.fProductType, kProductWorkstation);
    EXPECT_EQ(version.fProductInfo, 48u);
    EXPECT_EQ(version.fArchitecture, kArchitectureAmd64);
}

TEST(SystemFactsTest, ReadsAWindows10Export) {
    TTempDir dir;
    const auto registry = ExportRegistry(ReadAll(WriteWindows10Export(dir / "export.reg")));
    const TSystemVersion version = ReadSystemVersion(*registry);
    EXPECT_EQ(version.fMajor, 10u); // the numbers win over CurrentVersion "6.3"
    EXPECT_EQ(version.fMinor, 0u);
    EXPECT_EQ(version.fBuild, 19045u);
    EXPECT_EQ(version.fProductInfo, 101u);
    EXPECT_EQ(version.fArchitecture, kArchitectureAmd64);
}

TEST(SystemFactsTest, ServersAndServicePacksFromTheirOwnKeys) {
    const auto registry = WineRegistry(R"(WINE REGISTRY Version 2
#arch=win32
[Software\\Microsoft\\Windows NT\\CurrentVersion] 1
"CurrentVersion"="5.2"
"CSDVersion"="Service Pack 2"
"ProductName"="Microsoft Windows Server 2003"
)");
    const TSystemVersion version = ReadSystemVersion(*registry);
    EXPECT_EQ(version.fMajor, 5u);
    EXPECT_EQ(version.fMinor, 2u);
    EXPECT_EQ(version.fServicePackMajor, 2u);
    EXPECT_EQ(version.fProductType, kProductServer);
    EXPECT_EQ(version.fArchitecture, kArchitectureX86);
}

TEST(SystemFactsTest, WithoutWindowsFactsAssumes64BitWindows10) {
    const auto registry = posix::OpenRegistryFrom({TRegistrySourceKind::None, {}, {}});
    const TSystemVersion version = ReadSystemVersion(*registry);
    EXPECT_EQ(version.fMajor, 10u);
    EXPECT_EQ(version.fMinor, 0u);
    EXPECT_EQ(version.fProductType, kProductWorkstation);
    utsname host{};
    ASSERT_EQ(::uname(&host), 0);
    if (std::string_view(host.machine) == "x86_64") {
        EXPECT_EQ(version.fArchitecture, kArchitectureAmd64);
    }
    // A 32-bit prefix without version facts still tells its architecture.
    EXPECT_EQ(
        ReadSystemVersion(*WineRegistry("WINE REGISTRY Version 2\n#arch=win32\n")).fArchitecture,
        kArchitectureX86);
}

TEST(SystemFactsTest, AppDataFromTheEnvironmentElseTheUsersHive) {
    TScopedEnv lower("appdata", nullptr);
    const std::string volatileEnvironment = R"(WINE REGISTRY Version 2
[Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders] 1
"AppData"="C:\\users\\shell\\AppData\\Roaming"
[Volatile Environment] 1
"APPDATA"="C:\\users\\volatile\\AppData\\Roaming"
)";
    const std::string shellFolders = R"(WINE REGISTRY Version 2
[Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders] 1
"AppData"="C:\\users\\shell\\AppData\\Roaming"
)";
    const std::string empty = "WINE REGISTRY Version 2\n";
    {
        TScopedEnv appData("APPDATA", nullptr);
        EXPECT_EQ(GetAppDataFolder(*WineRegistry(empty, volatileEnvironment)),
                  "C:\\users\\volatile\\AppData\\Roaming");
        EXPECT_EQ(GetAppDataFolder(*WineRegistry(empty, shellFolders)),
                  "C:\\users\\shell\\AppData\\Roaming");
        EXPECT_EQ(GetAppDataFolder(*WineRegistry(empty, empty)), "");
    }
    TScopedEnv appData("APPDATA", "D:\\Roaming");
    EXPECT_EQ(GetAppDataFolder(*WineRegistry(empty, volatileEnvironment)), "D:\\Roaming");
}

} // namespace
} // namespace brivane::test
