#include "platform/registry_files/file_registry.h"
#include "platform/system_facts.h"
#include "support/registry_fixtures.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace brivane::test {
namespace {

using namespace platform;

TEST(SystemFactsTest, ReadsAWinePrefix) {
    const auto registry = registry_files::OpenRegistryFrom(
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
    EXPECT_FALSE(version.fVersionAssumed);
    EXPECT_FALSE(version.fArchitectureAssumed);
    EXPECT_EQ(ReadSystemLanguage(*registry), "ru");
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
    const auto registry = registry_files::OpenRegistryFrom({TRegistrySourceKind::None, {}, {}});
    const TSystemVersion version = ReadSystemVersion(*registry);
    EXPECT_EQ(version.fMajor, 10u);
    EXPECT_EQ(version.fMinor, 0u);
    EXPECT_EQ(version.fProductType, kProductWorkstation);
    EXPECT_EQ(version.fArchitecture, kArchitectureAmd64);
    EXPECT_TRUE(version.fVersionAssumed);
    EXPECT_TRUE(version.fArchitectureAssumed);
    EXPECT_EQ(ReadSystemLanguage(*registry), "");
    // A 32-bit prefix without version facts still tells its architecture.
    const TSystemVersion prefix =
        ReadSystemVersion(*WineRegistry("WINE REGISTRY Version 2\n#arch=win32\n"));
    EXPECT_EQ(prefix.fArchitecture, kArchitectureX86);
    EXPECT_TRUE(prefix.fVersionAssumed);
    EXPECT_FALSE(prefix.fArchitectureAssumed);
}

// The system's environment names the architecture; without it, the layout of the
// registry shows it where it can.
TEST(SystemFactsTest, ArchitectureFromTheEnvironmentElseTheLayout) {
    const auto environment = [](const char* aArchitecture) {
        return std::string(R"([System\\ControlSet001\\Control\\Session Manager\\Environment] 1
"PROCESSOR_ARCHITECTURE"=")") +
               aArchitecture + "\"\n";
    };
    const std::string wow = "[Software\\\\Wow6432Node\\\\Vendor] 1\n";
    const std::pair<std::string, std::uint16_t> cases[] = {
        {environment("x86"), kArchitectureX86},
        {environment("amd64"), kArchitectureAmd64},
        {environment("IA64"), kArchitectureItanium},
        {environment("ARM64"), kArchitectureArm64},
        {environment("ARM"), kArchitectureArm},
        {"#arch=win64\n" + environment("x86"), kArchitectureX86},
        // An architecture Windows does not name tells nothing.
        {environment("MIPS"), kArchitectureX86}, // the hive has no 32-bit view
        {environment("MIPS") + wow, kArchitectureAmd64},
        {wow, kArchitectureAmd64},
        {"", kArchitectureX86},
        {"#arch=win64\n", kArchitectureAmd64},
    };
    for (const auto& [systemReg, architecture] : cases) {
        SCOPED_TRACE(systemReg);
        const TSystemVersion version =
            ReadSystemVersion(*WineRegistry("WINE REGISTRY Version 2\n" + systemReg));
        EXPECT_EQ(version.fArchitecture, architecture);
        EXPECT_FALSE(version.fArchitectureAssumed);
    }
    // Only an export of a part of the registry leaves it open.
    const auto part = ExportRegistry("REGEDIT4\n\n" + UninstallRecordText("A", "A", "1"));
    EXPECT_EQ(ReadSystemVersion(*part).fArchitectureAssumed, true);
}

TEST(SystemFactsTest, SuitesAndR2FromProductOptionsAndName) {
    const auto read = [](const std::string& aOptions, const char* aName) {
        return ReadSystemVersion(*WineRegistry(std::string(R"(WINE REGISTRY Version 2
[Software\\Microsoft\\Windows NT\\CurrentVersion] 1
"CurrentVersion"="5.2"
"ProductName"=")") + aName + "\"\n[System\\\\CurrentControlSet\\\\Control\\\\ProductOptions] 1\n" +
                                               aOptions));
    };
    const std::string suites = "\"ProductType\"=\"ServerNT\"\n\"ProductSuite\"=str(7):"
                               "\"Enterprise\\0Unknown\\0DataCenter\\0\"\n";
    const TSystemVersion datacenter = read(suites, "Microsoft Windows Server 2003");
    EXPECT_EQ(datacenter.fSuiteMask, kSuiteEnterprise | kSuiteDatacenter);
    EXPECT_EQ(datacenter.fProductType, kProductServer);
    EXPECT_FALSE(datacenter.fServerR2);
    // A plain text names one suite; damaged data names none.
    EXPECT_EQ(read("\"ProductSuite\"=\"Blade\"\n", "Windows").fSuiteMask, kSuiteBlade);
    EXPECT_EQ(read("\"ProductSuite\"=hex(7):42,00,6\n", "Windows").fSuiteMask, 0u);
    EXPECT_EQ(read("", "Windows").fSuiteMask, 0u);

    EXPECT_TRUE(read(suites, "Microsoft Windows Server 2003 R2").fServerR2);
    EXPECT_TRUE(read(suites, "Microsoft Windows Server 2003 r2 Enterprise x64").fServerR2);
    EXPECT_FALSE(read(suites, "Microsoft Windows Server 2003 R20").fServerR2);
}

TEST(SystemFactsTest, LanguageOfTheUsersLocaleElseTheMachines) {
    const auto language = [](const std::string& aInternational, const std::string& aNls = "") {
        const std::string user =
            "WINE REGISTRY Version 2\n[Control Panel\\\\International] 1\n" + aInternational;
        const std::string machine =
            "WINE REGISTRY Version 2\n[System\\\\ControlSet001\\\\Control\\\\Nls\\\\Locale] 1\n" +
            aNls;
        return ReadSystemLanguage(*WineRegistry(machine, user));
    };
    EXPECT_EQ(language("\"LocaleName\"=\"ru-RU\"\n\"Locale\"=\"00000409\"\n"), "ru");
    EXPECT_EQ(language("\"LocaleName\"=\"sr-Latn-RS\"\n"), "sr");
    EXPECT_EQ(language("\"LocaleName\"=\"FIL-PH\"\n"), "fil");
    EXPECT_EQ(language("\"Locale\"=\"00000419\"\n"), "ru");
    EXPECT_EQ(language("\"Locale\"=\"0000041a\"\n"), "hr");
    EXPECT_EQ(language("\"Locale\"=\"0000081A\"\n"), "sr");
    EXPECT_EQ(language("\"Locale\"=\"0000141a\"\n"), "bs");
    EXPECT_EQ(language("\"Locale\"=\"00000814\"\n"), "nn");
    EXPECT_EQ(language("\"Locale\"=\"00000414\"\n"), "nb");
    // What cannot be read gives way to the next place that records a locale.
    EXPECT_EQ(language("\"LocaleName\"=\"-\"\n\"Locale\"=\"00000407\"\n"), "de");
    EXPECT_EQ(language("\"LocaleName\"=\"x1-Y\"\n\"Locale\"=\"1000000409\"\n", "@=\"00000410\"\n"),
              "it");
    EXPECT_EQ(language("\"Locale\"=\"zz\"\n", "@=\"00000c0c\"\n"), "fr");
    EXPECT_EQ(language("\"Locale\"=\"00000000\"\n"), "");
    EXPECT_EQ(language("\"Locale\"=dword:00000419\n"), "");
}

TEST(SystemFactsTest, AppDataFromTheUsersHiveElseTheEnvironment) {
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
    // This process's environment stands in only where the registry's user has none.
    TScopedEnv appData("APPDATA", "D:\\Roaming");
    EXPECT_EQ(GetAppDataFolder(*WineRegistry(empty, volatileEnvironment)),
              "C:\\users\\volatile\\AppData\\Roaming");
    EXPECT_EQ(GetAppDataFolder(*WineRegistry(empty, empty)), "D:\\Roaming");
}

} // namespace
} // namespace brivane::test
