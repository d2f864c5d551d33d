// Entries whose publisher states a pre-release beside the release, each with its own
// rule for which one is offered: the pre-release first (Paint.NET), another section
// in its place (Far Manager), the pre-release over the release whenever found
// (Rainmeter), the pre-release only when newer (Media Player Classic).

#include "support/catalogue_environment.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

namespace {

constexpr const char* kPaintPage = "/www.getpaint.net/index.html";
constexpr const char* kFarPage = "/www.farmanager.com/download.php";
constexpr const char* kRainmeterPage = "/www.rainmeter.net/";
constexpr const char* kNightlyPage = "/nightly.mpc-hc.org/";

class PreReleasePagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        fMachine.ServeText(kPaintPage, SiteFixture("www.getpaint.net/index.html"));
        fMachine.ServeText(kFarPage, SiteFixture("www.farmanager.com/download.php@l=en"));
        fMachine.ServeText(kRainmeterPage, SiteFixture("www.rainmeter.net/index.html"));
        fMachine.ServeText(kNightlyPage, SiteFixture("nightly.mpc-hc.org/index.html"));
    }

    TCatalogueEnvironment fMachine;
};

std::string Replaced(std::string aText, const std::string& aFrom, const std::string& aTo) {
    const auto at = aText.find(aFrom);
    EXPECT_NE(at, std::string::npos) << aFrom;
    return at == std::string::npos ? aText : aText.replace(at, aFrom.size(), aTo);
}

} // namespace

TEST_F(PreReleasePagesTest, PaintNetPreReleaseFirstReleaseWhenItHasNoLink) {
    const TBaseSoftware& beta = fMachine.CheckEntry("Paint.NET", true);
    EXPECT_EQ(beta.AvailableVersion(), "4.0.11");
    EXPECT_EQ(beta.DownloadURL(), "https://www.dotpdn.com/files/paint.net.4.0.11.beta.install.zip");
    EXPECT_TRUE(beta.IsBeta());

    const std::string page = SiteFixture("www.getpaint.net/index.html");
    fMachine.ServeText(
        kPaintPage, Replaced(page, "//www.dotpdn.com/files/paint.net.4.0.11.beta.install.zip", ""));
    const TBaseSoftware& release = fMachine.CheckEntry("Paint.NET", true);
    EXPECT_EQ(release.AvailableVersion(), "4.0.10");
    EXPECT_EQ(release.DownloadURL(), "https://www.dotpdn.com/files/paint.net.4.0.10.install.zip");
    EXPECT_FALSE(release.IsBeta());
}

TEST_F(PreReleasePagesTest, PaintNetVersionFromTheInstalledName) {
    fMachine.SetMachine({
        {"A", "paint.net", "4.0.10", "", ""},
        {"B", "Paint.NET v3.36", "", "", ""},
    });
    TBaseSoftware& entry = fMachine.CatalogueEntry("Paint.NET");
    entry.Init();
    EXPECT_EQ(entry.CurrentVersion(), "3.36");
}

TEST_F(PreReleasePagesTest, FarManagerNightlySectionAndTheSystemsInstaller) {
    struct TCase {
        bool Windows64;
        bool Beta;
        const char* Version;
        const char* URL;
    };
    const TCase cases[] = {
        {true, false, "3.0.4774", "https://www.farmanager.com/files/Far30b4774.x64.20160902.msi"},
        {false, false, "3.0.4774", "https://www.farmanager.com/files/Far30b4774.x86.20160902.msi"},
        {true, true, "3.0.4782", "https://www.farmanager.com/nightly/Far30b4782.x64.20161010.msi"},
        {false, true, "3.0.4782", "https://www.farmanager.com/nightly/Far30b4782.x86.20161010.msi"},
    };
    for (const TCase& c : cases) {
        TCatalogueEnvironment machine;
        machine.ServeText(kFarPage, SiteFixture("www.farmanager.com/download.php@l=en"));
        machine.SetMachine({}, c.Windows64);
        const TBaseSoftware& entry = machine.CheckEntry("Far Manager", c.Beta);
        EXPECT_EQ(entry.AvailableVersion(), c.Version) << c.URL;
        EXPECT_EQ(entry.DownloadURL(), c.URL);
        EXPECT_EQ(entry.IsBeta(), c.Beta) << c.URL;
    }
}

TEST_F(PreReleasePagesTest, FarManagerWithoutItsSectionFindsNothing) {
    const std::string page = SiteFixture("www.farmanager.com/download.php@l=en");
    // The stable section does not run on into the nightly builds.
    fMachine.ServeText(kFarPage, Replaced(page, "files/Far30b4774.x64", "files/Far30b4774.arm"));
    EXPECT_EQ(fMachine.CheckEntry("Far Manager").AvailableVersion(), "");
    fMachine.ServeText(kFarPage, Replaced(page, "Nightly builds", "Archive"));
    EXPECT_EQ(fMachine.CheckEntry("Far Manager", true).AvailableVersion(), "");
}

TEST_F(PreReleasePagesTest, RainmeterBetaReplacesTheFinalRelease) {
    fMachine.SetMachine({{"Rainmeter", "Rainmeter", "3.3.2 r2609", "", ""}});
    const TBaseSoftware& beta = fMachine.CheckEntry("Rainmeter", true);
    EXPECT_EQ(beta.CurrentVersion(), "3.3.2");
    EXPECT_EQ(beta.AvailableVersion(), "4.0");
    EXPECT_EQ(beta.DownloadURL(), "https://github.com/rainmeter/rainmeter/releases/download/"
                                  "v4.0.0.2746/Rainmeter-4.0-r2746-beta.exe");
    EXPECT_TRUE(beta.IsBeta());

    fMachine.ServeText(kRainmeterPage, Replaced(SiteFixture("www.rainmeter.net/index.html"),
                                                "Beta release", "Older release"));
    const TBaseSoftware& release = fMachine.CheckEntry("Rainmeter", true);
    EXPECT_EQ(release.AvailableVersion(), "3.3.2");
    EXPECT_FALSE(release.IsBeta());
}

TEST_F(PreReleasePagesTest, MediaPlayerClassicNightlyOnlyWhenNewer) {
    const TBaseSoftware& nightly = fMachine.CheckEntry("Media Player Classic", true);
    EXPECT_EQ(nightly.AvailableVersion(), "1.7.10.252");
    EXPECT_EQ(nightly.DownloadURL(), "https://nightly.mpc-hc.org/MPC-HC.1.7.10.252.x64.exe");
    EXPECT_TRUE(nightly.IsBeta());

    fMachine.ServeText(kNightlyPage, "<a href=\"/MPC-HC.1.7.9.80.x64.exe\">old</a>");
    const TBaseSoftware& release = fMachine.CheckEntry("Media Player Classic", true);
    EXPECT_EQ(release.AvailableVersion(), "1.7.10");
    EXPECT_FALSE(release.IsBeta());
}
