#include "catalogue/catalogue_table.h"
#include "net/host_map.h"
#include "support/controller_fixture.h"
#include "support/site_fixtures.h"

#include <gtest/gtest.h>

namespace brivane::test {
namespace {

using TNames = std::vector<std::string>;

// Three of the catalogue's own entries, their publishers' sites served through the host
// map; the rest of the catalogue is left out, so the lists hold these three alone.
class TControllerCatalogueTest : public TControllerTest {
protected:
    TControllerCatalogueTest() {
        ServeSiteFixtures(fSites.Server());
        fSites.Start();
        net::SetHostMap(std::make_shared<const net::THostMap>(
            net::THostMap::Parse(R"({"*": ")" + fSites.Origin() + R"(/{host}"})", "test")));
    }

    ~TControllerCatalogueTest() override {
        if (fController) {
            WaitIdle();
            fController.reset();
        }
        net::ResetHostMap();
    }

    void StartCatalogue() {
        TControllerOptions options;
        options.CatalogueFilter = {"7-Zip", "CCleaner", "Dernholt"};
        MakeController(std::move(options));
        RegisterCatalogue(*fController);
        ASSERT_TRUE(CallOnStart(fView));
        WaitIdle();
    }

    TLoopbackServer fSites;
};

TEST_F(TControllerCatalogueTest, ListsTheCatalogueAndFollowsTheBetaSetting) {
    SetInstalled("7-Zip 15.14 (x64)", "15.14");
    SetInstalled("Dernholt", "2.4.1");
    StartCatalogue();

    ASSERT_EQ(Names(fView.Updates()), TNames{"7-Zip"});
    EXPECT_TRUE(fView.Updates()[0].Checked);
    EXPECT_EQ(fView.Updates()[0].Item.AvailableVersion, "16.02");
    EXPECT_EQ(fView.Updates()[0].Item.Size, kInstallerSize);
    EXPECT_EQ(Names(fView.Actuals()), TNames{"Dernholt"});
    ASSERT_EQ(Names(fView.Programs()), TNames{"CCleaner"});
    EXPECT_EQ(fView.Programs()[0].Item.AvailableVersion, "5.21.0.5700");
    EXPECT_EQ(fView.Count("SetProgram CCleaner"), 1);
    EXPECT_EQ(fView.ListMode(), lmUpdates);
    EXPECT_EQ(fController->GetSoftwareByName("CCleaner")->DownloadURL(),
              "https://download.ccleaner.com/ccsetup521.exe");

    fView.SetAllowBeta(true);
    fView.ConfigChanged();
    WaitIdle();
    ASSERT_EQ(Names(fView.Updates()), TNames{"7-Zip"});
    EXPECT_EQ(fView.Updates()[0].Item.AvailableVersion, "16.03");
    EXPECT_EQ(fView.OffMainThreadCalls(), 0);
}

TEST_F(TControllerCatalogueTest, TheDebugFilterKeepsOneCatalogueEntry) {
    SetInstalled("Dernholt", "2.0");
    TControllerOptions options;
    options.CatalogueFilter =
        DebugFilterFromArguments(std::vector<std::string>{"debug", "DERNHOLT"});
    MakeController(std::move(options));
    RegisterCatalogue(*fController);
    ASSERT_TRUE(CallOnStart(fView));
    WaitIdle();
    EXPECT_EQ(Names(fView.Updates()), TNames{"Dernholt"});
    EXPECT_TRUE(fView.Actuals().empty());
    EXPECT_TRUE(fView.Programs().empty());
}

} // namespace
} // namespace brivane::test
