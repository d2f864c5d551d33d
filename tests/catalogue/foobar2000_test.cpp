// foobar2000: pre-release numbering of the installed version, the release or
// pre-release offered, and the comparison that tells them apart on equal numbers.

#include "support/catalogue_environment.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

namespace {

// The download page with aStable and, when given, aBeta as the link texts.
std::string DownloadPage(const std::string& aStable, const std::string& aBeta) {
    std::string page = "<h2>Latest stable version</h2>\nDownload <a href=\"/getfile/stable.exe\">" +
                       aStable + "</a> (3.37 MB)\n";
    if (!aBeta.empty()) {
        page += "<h2>Latest beta version</h2>\nDownload <a href=\"/getfile/beta.exe\">" + aBeta +
                "</a> (3.38 MB)\n";
    }
    return page;
}

struct TFoobar2000 {
    TFoobar2000(const char* aInstalled, const std::string& aPage) {
        Machine.SetMachine({{"foobar2000", "foobar2000 v1", aInstalled, "", ""}});
        Machine.ServeText("/www.foobar2000.org/download", aPage);
    }
    TCatalogueEnvironment Machine;
};

} // namespace

TEST(Foobar2000Test, InstalledPreReleaseNumbering) {
    const std::pair<const char*, const char*> cases[] = {
        {"1.3.10 beta 4", "1.3.10.4"},
        {"1.3 beta 2", "1.3.0.2"},
        {"2 Beta 1", "2.0.0.1"},
        {"1.2.3.4 beta 5", "1.2.3.4"},
        {"1.3.10", "1.3.10"},
        {"1.3.10 beta", "1.3.10"},
        {"v1.3", "v1.3"},
        {"1.3.9 (final)", "1.3.9"},
    };
    for (const auto& [installed, expected] : cases) {
        TFoobar2000 foobar(installed, "");
        TBaseSoftware& entry = foobar.Machine.CatalogueEntry("foobar2000");
        entry.Init();
        EXPECT_EQ(entry.CurrentVersion(), expected) << installed;
    }
}

TEST(Foobar2000Test, ReleaseOrPreReleaseAndTheirFiles) {
    const std::string page = DownloadPage("foobar2000 v1.3.10", "foobar2000 v1.3.11 beta 2");
    TFoobar2000 foobar("1.3.10", page);
    const TBaseSoftware& release = foobar.Machine.CheckEntry("foobar2000", false);
    EXPECT_EQ(release.AvailableVersion(), "1.3.10");
    EXPECT_EQ(release.DownloadURL(), "https://www.foobar2000.org/files/stable.exe");
    EXPECT_FALSE(release.IsBeta());

    const TBaseSoftware& beta = foobar.Machine.CheckEntry("foobar2000", true);
    EXPECT_EQ(beta.AvailableVersion(), "1.3.11.2"); // one dot, no zero components
    EXPECT_EQ(beta.DownloadURL(), "https://www.foobar2000.org/files/beta.exe");
    EXPECT_TRUE(beta.IsBeta());

    TFoobar2000 noBeta("1.3.10", DownloadPage("foobar2000 v1.3.10", ""));
    const TBaseSoftware& fallback = noBeta.Machine.CheckEntry("foobar2000", true);
    EXPECT_EQ(fallback.AvailableVersion(), "1.3.10");
    EXPECT_FALSE(fallback.IsBeta());
}

TEST(Foobar2000Test, EqualNumbersAreToldApartByThePreReleaseFlags) {
    struct TCase {
        const char* Installed;
        const char* Beta; // the pre-release offered; empty: the release only
        bool CheckBeta;
        int Comparison;
    };
    const TCase cases[] = {
        // An available pre-release of the installed release's number is no update.
        {"1.3.10", "foobar2000 v1.3.10", true, 1},
        // Both pre-releases of one number are the same.
        {"1.3.10 beta 4", "foobar2000 v1.3.10 beta 4", true, 0},
        // The release of an installed pre-release's number is an update.
        {"1.3.10 beta 4", "", false, -1},
        {"1.3.10.4", "", false, 0},
        // A higher number decides on its own.
        {"1.3.9", "foobar2000 v1.3.10 beta 4", true, -2},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Installed) + " / " + c.Beta);
        TFoobar2000 foobar(c.Installed, DownloadPage("foobar2000 v1.3.10.4", c.Beta));
        TBaseSoftware& entry = foobar.Machine.CheckEntry("foobar2000", c.CheckBeta);
        EXPECT_EQ(entry.CompareVersions(entry.CurrentVersion(), entry.AvailableVersion(), 4),
                  c.Comparison);
    }
}

TEST(Foobar2000Test, NothingOfferedComparesByNumberAlone) {
    TFoobar2000 foobar("1.3.10 beta 4", "<html>maintenance</html>");
    TBaseSoftware& entry = foobar.Machine.CheckEntry("foobar2000", true);
    EXPECT_EQ(entry.AvailableVersion(), "");
    EXPECT_EQ(entry.CompareVersions(entry.CurrentVersion(), entry.AvailableVersion(), 4), 4);
}
