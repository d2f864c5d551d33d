// Entries whose installers record a version that does not follow the program: the
// program beside its uninstaller gives the version when it is there.

#include "support/catalogue_environment.h"
#include "support/pe_samples.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

TEST(ProgramFileEntriesTest, TheProgramBesideTheUninstallerGivesTheVersion) {
    struct TCase {
        const char* Entry;
        TUninstallRecord Record;
        const char* ProgramFile; // below drive C; nullptr: not there
        const char* Version;
    };
    const TCase cases[] = {
        {"The KMPlayer",
         {"A", "The KMPlayer", "3.9", "", "", "C:\\KMP\\uninstall.exe"},
         "KMP/KMPlayer.exe",
         "4.1.0.3"},
        // An installer that records another name is found by the name it starts with.
        {"The KMPlayer",
         {"B", "The KMPlayer (remove only)", "3.9", "", "", "\"C:\\KMP\\uninstall.exe\" /S"},
         "KMP/KMPlayer.exe",
         "4.1.0.3"},
        {"The KMPlayer",
         {"C", "The KMPlayer (remove only)", "3.9", "", "", "C:\\KMP\\uninstall.exe"},
         nullptr,
         "3.9"},
        {"XChat",
         {"D", "XChat", "2.8.6", "", "", "C:\\XChat\\uninst.exe"},
         "XChat/xchat.exe",
         "4.1.0.3"},
        {"XChat", {"E", "XChat", "2.8.6", "", "", "C:\\XChat\\uninst.exe"}, nullptr, "2.8.6"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Entry) + " " + c.Record.DisplayName);
        TCatalogueEnvironment machine;
        if (c.ProgramFile) {
            machine.WriteDriveFile(c.ProgramFile, ProgramWithVersion("4.1.0.3"));
        }
        machine.SetMachine({c.Record});
        TBaseSoftware& entry = machine.CatalogueEntry(c.Entry);
        entry.Init();
        EXPECT_TRUE(entry.IsInstalled());
        EXPECT_EQ(entry.CurrentVersion(), c.Version);
    }
}

TEST(ProgramFileEntriesTest, TheKMPlayerPrefersTheApplicationNamedLikeIt) {
    TCatalogueEnvironment machine;
    machine.SetMachine(
        {{"A", "The KMPlayer (remove only)", "3.0", "", ""}, {"B", "The KMPlayer", "4.0", "", ""}});
    TBaseSoftware& entry = machine.CatalogueEntry("The KMPlayer");
    entry.Init();
    EXPECT_EQ(entry.CurrentVersion(), "4.0");
}
