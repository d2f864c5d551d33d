// The shared steps of definitions whose release comes through another channel than a
// page of their own: versions read out of remote installers, releases stated as a link
// and a version, and the choice between a stable and a pre-release check.

#include "catalogue/release_channels.h"
#include "support/catalogue_environment.h"
#include "support/pe_samples.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

namespace {

constexpr const char* kBinary = "application/octet-stream";

// An installer whose file version is 3.1.0.7 and whose product version says "3.1".
std::string InstallerWithProductText() {
    TVersionBlockOptions version;
    version.FileVersionMS = 3 << 16 | 1;
    version.FileVersionLS = 7;
    version.ProductVersionMS = 3 << 16 | 1;
    version.Strings = {{u"ProductVersion", u"3.1"}};
    TPeFileOptions options;
    options.Resources = {{std::uint16_t{16}, std::uint16_t{1}, 0x0409, BuildVersionBlock(version)}};
    return BuildPeFile(options).Bytes;
}

// An installer with file version 4.5.6.7 whose string table key is not hexadecimal.
std::string InstallerWithDamagedStrings() {
    TVersionBlockOptions version;
    version.FileVersionMS = 4 << 16 | 5;
    version.FileVersionLS = 6 << 16 | 7;
    version.TableKey = u"04x904b0";
    version.Strings = {{u"ProductVersion", u"4.5"}};
    TPeFileOptions options;
    options.Resources = {{std::uint16_t{16}, std::uint16_t{1}, 0x0409, BuildVersionBlock(version)}};
    return BuildPeFile(options).Bytes;
}

// An executable without a version resource.
std::string InstallerWithoutVersion() {
    return BuildPeFile(TPeFileOptions{}).Bytes;
}

class ReleaseChannelsTest : public ::testing::Test {
protected:
    void SetUp() override {
        fMachine.ServeText("/dl.example.com/product.exe", InstallerWithProductText(), kBinary);
        fMachine.ServeText("/dl.example.com/plain.exe", ProgramWithVersion("2.0.1.4"), kBinary);
        fMachine.ServeText("/dl.example.com/bare.exe", InstallerWithoutVersion(), kBinary);
        fMachine.ServeText("/dl.example.com/damaged.exe", InstallerWithDamagedStrings(), kBinary);
        fMachine.ServeText("/dl.example.com/page.exe", "<html>not a program</html>");
        fMachine.System();
    }

    TCatalogueEnvironment fMachine;
};

} // namespace

TEST_F(ReleaseChannelsTest, VersionsReadOutOfRemoteInstallers) {
    struct TCase {
        const char* URL;
        TProbedVersion Which;
        const char* Version;
    };
    const TCase cases[] = {
        {"https://dl.example.com/product.exe", TProbedVersion::File, "3.1.0.7"},
        {"https://dl.example.com/product.exe", TProbedVersion::Product, "3.1"},
        {"https://dl.example.com/plain.exe", TProbedVersion::Product, "2.0.1.4"},
        // No version at all is no version, for the product text as well.
        {"https://dl.example.com/bare.exe", TProbedVersion::File, ""},
        {"https://dl.example.com/bare.exe", TProbedVersion::Product, ""},
        {"https://dl.example.com/page.exe", TProbedVersion::Product, ""},
        {"https://dl.example.com/damaged.exe", TProbedVersion::File, "4.5.6.7"},
        {"https://dl.example.com/missing.exe", TProbedVersion::File, ""},
        {"", TProbedVersion::Product, ""},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(RemoteVersion(c.URL, c.Which), c.Version) << c.URL;
    }
}

TEST_F(ReleaseChannelsTest, ProbeFillsOrReplacesTheVersionOfAnInstallerFound) {
    TCheckedParams missing;
    missing.DownloadURL = "https://dl.example.com/plain.exe";
    ProbeInstallerVersion(missing, TProbeWhen::VersionMissing);
    EXPECT_EQ(missing.AvailableVersion, "2.0.1.4");

    TCheckedParams stated = missing;
    stated.AvailableVersion = "2.0";
    ProbeInstallerVersion(stated, TProbeWhen::VersionMissing);
    EXPECT_EQ(stated.AvailableVersion, "2.0");
    ProbeInstallerVersion(stated, TProbeWhen::Always);
    EXPECT_EQ(stated.AvailableVersion, "2.0.1.4");

    // An installer without a readable version keeps what the page said.
    TCheckedParams unreadable;
    unreadable.AvailableVersion = "2.0";
    unreadable.DownloadURL = "https://dl.example.com/bare.exe";
    ProbeInstallerVersion(unreadable, TProbeWhen::Always);
    EXPECT_EQ(unreadable.AvailableVersion, "2.0");

    TCheckedParams taken;
    TakeProbedInstaller("https://dl.example.com/missing.exe", taken);
    EXPECT_EQ(taken.DownloadURL, "https://dl.example.com/missing.exe");
    EXPECT_EQ(taken.AvailableVersion, "");
}

TEST(ReleaseChoiceTest, ReleaseNeedsBothLinkAndVersion) {
    const auto release = NewRegex("<a href=\"([^\"]*)\">Get ([\\d.]*)</a>");
    struct TCase {
        const char* Page;
        bool Taken;
        const char* URL;
        const char* Version;
    };
    const TCase cases[] = {
        {"<a href=\"/get/app-2.1.exe\">Get 2.1</a>", true,
         "https://app.example.org/get/app-2.1.exe", "2.1"},
        {"<a href=\"//cdn.example.org/app.exe\">Get 2.1</a>", true,
         "https://cdn.example.org/app.exe", "2.1"},
        {"<a href=\"\">Get 2.1</a>", false, "old", "1.0"},
        {"<a href=\"/get/app.exe\">Get </a>", false, "old", "1.0"},
        {"<a href=\"/get/app.exe\">Ge", false, "old", "1.0"},
        {"", false, "old", "1.0"},
    };
    for (const TCase& c : cases) {
        TCheckedParams params;
        params.DownloadURL = "old";
        params.AvailableVersion = "1.0";
        EXPECT_EQ(TakeRelease(*release, std::string(c.Page), "https://app.example.org", params),
                  c.Taken)
            << c.Page;
        EXPECT_EQ(params.DownloadURL, c.URL) << c.Page;
        EXPECT_EQ(params.AvailableVersion, c.Version) << c.Page;
    }
}

TEST(ReleaseChoiceTest, NewerReleaseAndItsTieBreaks) {
    TCatalogueEnvironment machine;
    TBaseSoftware& entry = machine.CatalogueEntry("Adobe AIR");
    const auto record = [](const char* aVersion, const char* aURL, bool aBeta) {
        TCheckedParams params;
        params.AvailableVersion = aVersion;
        params.DownloadURL = aURL;
        params.IsBeta = aBeta;
        return params;
    };
    struct TCase {
        const char* Stable;
        const char* PreRelease;
        const char* PreReleaseURL;
        TTieGoesTo Tie;
        bool PreReleaseTaken;
    };
    const TCase cases[] = {
        {"2.0", "2.1", "https://x/beta.exe", TTieGoesTo::Stable, true},
        {"2.0", "2.0.0.0", "https://x/beta.exe", TTieGoesTo::Stable, false},
        {"2.0", "2.0.0.0", "https://x/beta.exe", TTieGoesTo::PreRelease, true},
        {"2.1", "2.0", "https://x/beta.exe", TTieGoesTo::PreRelease, false},
        {"2.0", "2.1", "", TTieGoesTo::Stable, false}, // no installer
        {"2.0", "", "https://x/beta.exe", TTieGoesTo::PreRelease, false},
        {"", "2.1", "https://x/beta.exe", TTieGoesTo::Stable, true}, // the stable check failed
    };
    for (const TCase& c : cases) {
        const TCheckedParams chosen =
            NewerRelease(entry, record(c.Stable, "https://x/stable.exe", false),
                         record(c.PreRelease, c.PreReleaseURL, true), c.Tie);
        EXPECT_EQ(chosen.IsBeta, c.PreReleaseTaken) << c.Stable << " / " << c.PreRelease;
        EXPECT_EQ(chosen.DownloadURL, c.PreReleaseTaken ? c.PreReleaseURL : "https://x/stable.exe");
    }

    // The entry's own comparison decides: IObit counts two components only.
    TBaseSoftware& iobit = machine.CatalogueEntry("IObit Smart Defrag");
    EXPECT_FALSE(NewerRelease(iobit, record("9.1.0.5", "https://x/stable.exe", false),
                              record("9.1.2.7", "https://x/beta.exe", true), TTieGoesTo::Stable)
                     .IsBeta);
}
