// Entries whose installed version is written in the inventory's name or with more than
// the number in its version text: the number is what counts.

#include "support/catalogue_environment.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

TEST(NameVersionEntriesTest, TheHighestOfSeveralReleasesByTheVersionInTheirNames) {
    struct TCase {
        const char* Entry;
        std::vector<TUninstallRecord> Installed;
        const char* Current;
    };
    const TCase cases[] = {
        // A version value that disagrees with the name loses to the name.
        {"LibreOffice",
         {{"A", "LibreOffice 5.1.4.2", "4.0", "", ""},
          {"B", "LibreOffice 5.2.0.4", "", "", ""},
          {"C", "LibreOffice 4.4.7.2", "9.9", "", ""},
          {"D", "LibreOffice Help Pack 5.3", "5.3", "", ""}},
         "5.2.0.4"},
        // Of equal versions the first is kept.
        {"MiniTool Partition Wizard",
         {{"A", "MiniTool Partition Wizard Free Edition 9.1", "", "", "C:\\First"},
          {"B", "MiniTool Partition Wizard Free 9.1", "", "", "C:\\Second"},
          {"C", "MiniTool Partition Wizard Free 8.1.1", "10.0", "", ""}},
         "9.1"},
        {"Ruby", {{"A", "Ruby 2.2.4-p230-x64", "", "", ""}}, "2.2.4"},
        {"RocketDock", {{"A", "RocketDock 1.3.5", "1.3.0", "", ""}}, "1.3.5"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Entry);
        TCatalogueEnvironment machine;
        machine.SetMachine(c.Installed);
        EXPECT_EQ(machine.CheckEntry(c.Entry).CurrentVersion(), c.Current);
    }
}

TEST(NameVersionEntriesTest, LibreOfficeCorrectsTheInventoryForItsLaterReaders) {
    TCatalogueEnvironment machine;
    machine.SetMachine(
        {{"A", "LibreOffice 5.1.4.2", "4.0", "", ""}, {"B", "LibreOffice 4.4.7.2", "9.9", "", ""}});
    EXPECT_EQ(machine.CheckEntry("LibreOffice").CurrentVersion(), "5.1.4.2");
    for (const auto& [name, version] : {std::pair{"LibreOffice 5.1.4.2", "5.1.4.2"},
                                        std::pair{"LibreOffice 4.4.7.2", "4.4.7.2"}}) {
        const auto items = machine.System().GetApplicationsByName(name);
        ASSERT_EQ(items.size(), 1u) << name;
        EXPECT_EQ(items.front().Version, version) << name;
    }
}

TEST(NameVersionEntriesTest, RaidCallKeepsTheNumberInFrontOfItsBuilds) {
    for (const auto& [recorded, current] : {
             std::pair{"7.3.6-1.0.11480-12.15.1.111", "7.3.6"},
             std::pair{"7.3.6", "7.3.6"},
             std::pair{"build 11480", "build 11480"}, // no number in front: kept as it is
             std::pair{"", ""},
         }) {
        TCatalogueEnvironment machine;
        machine.SetMachine({{"RaidCall", "RaidCall", recorded, "", ""}});
        EXPECT_EQ(machine.CheckEntry("RaidCall").CurrentVersion(), current) << recorded;
    }
}
