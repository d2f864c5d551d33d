#include "catalogue/os_information.h"
#include "platform/locale.h"
#include "support/registry_fixtures.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace brivane::test {
namespace {

using namespace platform;

struct TCase {
    TSystemVersion fVersion;
    const char* fName;
    const char* fEdition;
};

TSystemVersion Version(std::uint32_t aMajor, std::uint32_t aMinor, std::uint8_t aType,
                       std::uint32_t aProduct = 0, std::uint16_t aSuites = 0,
                       std::uint16_t aArchitecture = kArchitectureX86, bool aR2 = false) {
    TSystemVersion version;
    version.fKnown = true;
    version.fMajor = aMajor;
    version.fMinor = aMinor;
    version.fProductType = aType;
    version.fProductInfo = aProduct;
    version.fSuiteMask = aSuites;
    version.fArchitecture = aArchitecture;
    version.fServerR2 = aR2;
    return version;
}

TEST(OSInformationTest, NamesTheSystemAndItsEdition) {
    const auto ws = kProductWorkstation;
    const auto server = kProductServer;
    const TCase cases[] = {
        {Version(5, 0, ws), "Windows 2000", "Professional"},
        {Version(5, 0, server, 0, kSuiteDatacenter | kSuiteEnterprise), "Windows 2000",
         "Datacenter Server"},
        {Version(5, 0, server, 0, kSuiteEnterprise), "Windows 2000", "Advanced Server"},
        {Version(5, 0, kProductDomainController), "Windows 2000", "Server"},
        {Version(5, 1, ws, 0, kSuitePersonal), "Windows XP", "Home"},
        {Version(5, 1, ws, 0, kSuiteEmbedded), "Windows XP", "Embedded"},
        {Version(5, 1, ws), "Windows XP", "Professional"},
        {Version(5, 2, ws, 0, 0, kArchitectureAmd64), "Windows XP", "Professional"},
        {Version(5, 2, server, 0, 0, kArchitectureX86, true), "Windows Server 2003 R2", "Standard"},
        {Version(5, 2, server, 0, kSuiteStorageServer), "Windows Storage Server 2003", "Standard"},
        {Version(5, 2, server, 0, kSuiteHomeServer), "Windows Home Server", "Standard"},
        {Version(5, 2, server, 0, kSuiteDatacenter, kArchitectureItanium), "Windows Server 2003",
         "Datacenter for Itanium-based Systems"},
        {Version(5, 2, server, 0, 0, kArchitectureItanium), "Windows Server 2003", ""},
        {Version(5, 2, server, 0, kSuiteEnterprise, kArchitectureAmd64), "Windows Server 2003",
         "Enterprise"},
        {Version(5, 2, server, 0, 0, kArchitectureAmd64), "Windows Server 2003", "Standard"},
        {Version(5, 2, server, 0, kSuiteComputeServer | kSuiteDatacenter), "Windows Server 2003",
         "Compute Cluster"},
        {Version(5, 2, server, 0, kSuiteBlade), "Windows Server 2003", "Web"},
        {Version(6, 0, ws, 3), "Windows Vista", "Home Premium"},
        {Version(6, 1, ws, 48), "Windows 7", "Professional"},
        {Version(6, 1, server, 8), "Windows Server 2008 R2", "Datacenter"},
        {Version(6, 2, ws, 101), "Windows 8", "Core"},
        {Version(6, 3, server, 7), "Windows Server 2012 R2", "Standard"},
        {Version(6, 3, ws, 999), "Windows 8.1", ""},
        {Version(10, 0, ws, 48), "Windows 10", "Pro"},
        {Version(10, 0, ws, 101), "Windows 10", "Home"},
        {Version(10, 0, ws, 125), "Windows 10", "Enterprise 2015 LTSB"},
        {Version(10, 0, server, 7), "Windows", ""},
        {Version(6, 4, ws, 48), "Windows", ""},
        {Version(4, 0, ws), "Windows", ""},
    };
    for (const auto& entry : cases) {
        const auto info = TOSInformation::Create(entry.fVersion, "en");
        EXPECT_EQ(info.fName, entry.fName) << entry.fVersion.fMajor << "." << entry.fVersion.fMinor;
        EXPECT_EQ(info.fEdition, entry.fEdition) << entry.fName;
    }
}

TEST(OSInformationTest, FormatsNumbersAndComparesVersions) {
    TSystemVersion version = Version(6, 1, kProductWorkstation, 48, 0, kArchitectureAmd64);
    version.fBuild = 7601;
    version.fServicePackMajor = 1;
    const auto info = TOSInformation::Create(version, "ru");
    EXPECT_EQ(info.fVersion, "6.1.7601");
    EXPECT_EQ(info.fServicePack, "1.0");
    EXPECT_TRUE(info.fIs64Bit);
    EXPECT_EQ(info.fSystemLanguage, "ru");
    EXPECT_TRUE(info.IsEqualOrHigher(6, 1));
    EXPECT_TRUE(info.IsEqualOrHigher(5, 9));
    EXPECT_FALSE(info.IsEqualOrHigher(6, 2));
    EXPECT_FALSE(info.IsEqualOrHigher(10, 0));

    version.fServicePackMajor = 0;
    version.fArchitecture = kArchitectureArm64; // only x64 counts as 64-bit
    const auto plain = TOSInformation::Create(version, "en");
    EXPECT_EQ(plain.fServicePack, "");
    EXPECT_FALSE(plain.fIs64Bit);

    const auto unknown = TOSInformation::Create(TSystemVersion{}, "en");
    EXPECT_EQ(unknown.fName, "");
    EXPECT_EQ(unknown.fVersion, "0.0.0");
}

// What the small exports in fixtures/registry/systems must give, whatever the
// machine running the test: no fact may come from its processor, and only a language
// the export does not name comes from the running system (on POSIX its environment
// names another language than the exports; Windows takes the user's interface
// language, which no environment changes).
TEST(OSInformationTest, FactsOfExportsComeFromTheExportsAlone) {
    struct TExpected {
        const char* fFile;
        const char* fName;
        const char* fVersion;
        const char* fServicePack;
        const char* fEdition;
        bool fIs64Bit;
        const char* fLanguage; // null: the running system's
        bool fVersionAssumed = false;
        bool fIs64BitAssumed = false;
        bool fLanguageAssumed = false;
    };
    const TExpected cases[] = {
        {"windows7_x86.reg", "Windows 7", "6.1.7601", "1.0", "Professional", false, nullptr, false,
         false, true},
        {"windows7_x64.reg", "Windows 7", "6.1.7601", "1.0", "Home Premium", true, nullptr, false,
         false, true},
        {"windows10_x86.reg", "Windows 10", "10.0.19045", "", "Home", false, nullptr, false, false,
         true},
        {"windows10_x64.reg", "Windows 10", "10.0.19045", "", "Pro", true, "de"},
        {"xp_home.reg", "Windows XP", "5.1.2600", "3.0", "Home", false, "ru"},
        {"xp_professional.reg", "Windows XP", "5.1.2600", "2.0", "Professional", false, nullptr,
         false, false, true},
        {"server2003_r2.reg", "Windows Server 2003 R2", "5.2.3790", "2.0", "Enterprise", true,
         "en"},
        {"russian_user.reg", "Windows 7", "6.1.7601", "", "Ultimate", true, "ru"},
        {"uninstall_only.reg", "Windows 10", "10.0.19045", "", "", true, nullptr, true, true, true},
    };
    TScopedEnv all("LC_ALL", "fr_FR.UTF-8");
    const std::string running = GetSystemLanguageCode();
    for (const auto& expected : cases) {
        SCOPED_TRACE(expected.fFile);
        const auto registry =
            ExportRegistry(ReadAll(RegistryFixture(std::string("systems/") + expected.fFile)));
        ASSERT_EQ(registry->GetWarnings(), std::vector<std::string>{});
        const auto info = TOSInformation::Create(*registry);
        EXPECT_EQ(info.fName, expected.fName);
        EXPECT_EQ(info.fVersion, expected.fVersion);
        EXPECT_EQ(info.fServicePack, expected.fServicePack);
        EXPECT_EQ(info.fEdition, expected.fEdition);
        EXPECT_EQ(info.fIs64Bit, expected.fIs64Bit);
        EXPECT_EQ(info.fSystemLanguage, expected.fLanguage ? expected.fLanguage : running);
        EXPECT_EQ(info.fVersionAssumed, expected.fVersionAssumed);
        EXPECT_EQ(info.fIs64BitAssumed, expected.fIs64BitAssumed);
        EXPECT_EQ(info.fLanguageAssumed, expected.fLanguageAssumed);
    }
}

} // namespace
} // namespace brivane::test
