// The Piriform programs beside CCleaner: the same four-part version read from the
// update service (Speccy), the download page (Defraggler) or the update page's script
// (Recuva), and the installer from each program's standard download page.

#include "support/catalogue_environment.h"
#include "support/pe_samples.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

namespace {

struct TPageCase {
    const char* Page;
    const char* Version;
};

// Serves aPath from the test's text for every case, the rest from the fixtures.
class PiriformEntriesTest : public ::testing::Test {
protected:
    std::string VersionOn(const char* aEntry, const std::string& aPath, const char* aPage) {
        fMachine.ServeText(aPath, aPage);
        return fMachine.CheckEntry(aEntry).AvailableVersion();
    }

    TCatalogueEnvironment fMachine;
};

} // namespace

TEST_F(PiriformEntriesTest, EachProgramFindsItsVersionAndInstaller) {
    struct TCase {
        const char* Entry;
        const char* Version;
        const char* URL;
    };
    const TCase cases[] = {
        {"Defraggler", "2.21.0.993", "https://download.ccleaner.com/dfsetup221.exe"},
        {"Recuva", "1.53.0.1087", "https://download.ccleaner.com/rcsetup153.exe"},
        {"Speccy", "1.30.0.730", "https://download.ccleaner.com/spsetup130.exe"},
    };
    for (const auto& c : cases) {
        const TBaseSoftware& entry = fMachine.CheckEntry(c.Entry);
        EXPECT_EQ(entry.AvailableVersion(), c.Version) << c.Entry;
        EXPECT_EQ(entry.DownloadURL(), c.URL) << c.Entry;
        EXPECT_EQ(entry.Size(), kFixtureInstallerSize) << c.Entry;
    }
}

TEST_F(PiriformEntriesTest, DefragglerDownloadPages) {
    const TPageCase cases[] = {
        {"<p>Latest version: <b>2.21.993</b></p>", "2.21.0.993"},
        {"<p>Latest version:2.21.4.993</p>", "2.21.4.993"},
        {"<p>Latest\n version :\n<i>2.21.993</i></p>", "2.21.0.993"},
        {"<p>Latest version: <strong>2.21.993</strong></p>", ""}, // only one-letter tags
        {"<p>Latest version: 2.21</p>", ""},                      // too few parts
        {"<p>Latest version: </p>", ""},
        {"<p>Version: 2.21.993</p>", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VersionOn("Defraggler", "/www.piriform.com/defraggler/download", c.Page),
                  c.Version)
            << c.Page;
    }
}

TEST_F(PiriformEntriesTest, RecuvaUpdateScripts) {
    const TPageCase cases[] = {
        {"<script>var version = '1.53.1087';</script>", "1.53.0.1087"},
        {"<script>var  version='1.53.2.1087'</script>", "1.53.2.1087"},
        {"<script>var version = \"1.53.1087\";</script>", ""}, // other quotes
        {"<script>var version = '1.53';</script>", ""},
        {"<script>var version = '", ""}, // cut off
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VersionOn("Recuva", "/www.piriform.com/recuva/update", c.Page), c.Version)
            << c.Page;
    }
}

TEST_F(PiriformEntriesTest, InstalledVersionIsTheProgramFileElseTheInventory) {
    fMachine.WriteDriveFile("Program Files/Recuva/Recuva.exe", ProgramWithVersion("1.53.0.1087"));
    fMachine.SetMachine({{"Recuva", "Recuva", "1.53", "", "C:\\Program Files\\Recuva"},
                         {"Speccy", "Speccy", "1.29", "", "C:\\Program Files\\Speccy"}});
    TBaseSoftware& recuva = fMachine.CatalogueEntry("Recuva");
    TBaseSoftware& speccy = fMachine.CatalogueEntry("Speccy");
    recuva.Init();
    speccy.Init();
    EXPECT_EQ(recuva.CurrentVersion(), "1.53.0.1087");
    EXPECT_EQ(speccy.CurrentVersion(), "1.29"); // no program file
}
