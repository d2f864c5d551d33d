// How catalogue entries recognise their installed program, read its version and find
// its icon where the inventory's record is not enough.

#include "platform/executable_files.h"
#include "support/catalogue_environment.h"
#include "support/pe_samples.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

namespace {

// Files below drive C: path and bytes.
using TDriveFiles = std::vector<std::pair<std::string, std::string>>;

class InstalledProgramTest : public ::testing::Test {
protected:
    // The entry initialised on a fresh machine with aRecords installed and aFiles on its
    // drive C.
    TBaseSoftware& Installed(std::string_view aName, const std::vector<TUninstallRecord>& aRecords,
                             const TDriveFiles& aFiles = {}) {
        fMachine.reset(); // first: a machine restores the environment it found
        fMachine = std::make_unique<TCatalogueEnvironment>();
        for (const auto& [path, bytes] : aFiles) {
            fMachine->WriteDriveFile(path, bytes);
        }
        fMachine->SetMachine(aRecords);
        TBaseSoftware& entry = fMachine->CatalogueEntry(aName);
        entry.Init();
        return entry;
    }

    // The icon an entry shows for the icon location aLocation on the current machine.
    static std::string IconOf(const std::string& aLocation) {
        return platform::LoadIconFromLocation(platform::CurrentWindowsPathResolver(), aLocation);
    }

    std::unique_ptr<TCatalogueEnvironment> fMachine;
};

} // namespace

TEST_F(InstalledProgramTest, JavaEditionsSideBySide) {
    const std::vector<TUninstallRecord> machine = {
        {"A", "Java 8 Update 101", "8.0.1010", "", ""},
        {"B", "Java(TM) 7 Update 80", "7.0.800", "", ""},
        {"C", "Java 8 Update 77 (64-bit)", "8.0.770", "", ""},
        {"D", "Java 8 Update 91 (64-bit)", "8.0.910", "", ""},
        {"E", "Java Auto Updater", "2.8.101.13", "", ""},
    };
    EXPECT_EQ(Installed("Java", machine).CurrentVersion(), "8.0.1010");
    EXPECT_EQ(Installed("Java x64", machine).CurrentVersion(), "8.0.910");
    EXPECT_FALSE(Installed("Java", {machine[2], machine[3]}).IsInstalled());
}

TEST_F(InstalledProgramTest, NamesThatPickTheInstalledCopy) {
    struct TCase {
        const char* Entry;
        std::vector<TUninstallRecord> Machine;
        const char* Version; // nullptr: not installed
    };
    const TCase cases[] = {
        // The Russian edition's name only when no other matches.
        {"WinRAR",
         {{"A", "Архиватор WinRAR", "5.31", "", ""}, {"B", "WinRAR 5.40", "5.40", "", ""}},
         "5.40"},
        {"WinRAR", {{"A", "Архиватор WinRAR", "5.31", "", ""}}, "5.31"},
        {"WinRAR", {{"A", "WinRAR", "5.31", "", ""}}, nullptr},
        // The exact name first; else a PhysX package that is not the legacy runtime.
        {"NVIDIA PhysX",
         {{"A", "NVIDIA PhysX System Software 9.15", "9.15", "", ""},
          {"B", "nvidia physx", "9.10", "", ""}},
         "9.10"},
        {"NVIDIA PhysX",
         {{"A", "NVIDIA PhysX System Software Legacy", "9.13", "", ""},
          {"B", "NVIDIA PhysX System Software 9.15", "9.15", "", ""}},
         "9.15"},
        {"NVIDIA PhysX", {{"A", "NVIDIA PhysX Legacy", "9.13", "", ""}}, nullptr},
        // The micro sign in any letter case; the highest version.
        {"uTorrent",
         {{"A", "µTorrent", "3.4.5.41865", "", ""}, {"B", "µTORRENT", "3.4.7.42330", "", ""}},
         "3.4.7.42330"},
        {"uTorrent", {{"A", "uTorrent", "3.4.7.42330", "", ""}}, nullptr},
        // The viewer's name exactly, letter case included.
        {"Remote Utilities Viewer", {{"A", "Remote Utilities - viewer", "6.5", "", ""}}, nullptr},
        {"Remote Utilities Viewer", {{"A", "Remote Utilities - Viewer", "6.5", "", ""}}, "6.5"},
        // The version in the name wins over the recorded one.
        {"Beyond Compare", {{"A", "Beyond Compare Version 3.3.13", "3.3", "", ""}}, "3.3.13"},
        {"Sublime Text", {{"A", "Sublime Text 3", "", "", ""}}, nullptr},
        // The first item that matches either of PotPlayer's names.
        {"Daum PotPlayer",
         {{"A", "Potplayer", "1.7.1", "", ""}, {"B", "Daum PotPlayer 1.6.62949", "", "", ""}},
         "1.7.1"},
        {"Daum PotPlayer",
         {{"A", "Daum PotPlayer 1.6.62949 (64-bit)", "1.6", "", ""}},
         "1.6.62949"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Entry) + " on " + c.Machine[0].DisplayName);
        const TBaseSoftware& entry = Installed(c.Entry, c.Machine);
        EXPECT_EQ(entry.IsInstalled(), c.Version != nullptr);
        EXPECT_EQ(entry.CurrentVersion(), c.Version == nullptr ? "" : c.Version);
    }
}

TEST_F(InstalledProgramTest, WinRARTakesTheFileVersionOnlyWhenNewer) {
    const TDriveFiles files = {{"Program Files/WinRAR/WinRAR.exe", ProgramWithVersion("5.31.0")}};
    const auto winrar = [](const char* aVersion) {
        return std::vector<TUninstallRecord>{{"WinRAR archiver", "WinRAR 5.31 (64-bit)", aVersion,
                                              "", "", "C:\\Program Files\\WinRAR\\uninstall.exe"}};
    };
    EXPECT_EQ(Installed("WinRAR", winrar("5.30"), files).CurrentVersion(), "5.31.0.0");
    EXPECT_EQ(Installed("WinRAR", winrar("5.40"), files).CurrentVersion(), "5.40");
    EXPECT_EQ(Installed("WinRAR", winrar("5.31"), files).CurrentVersion(), "5.31"); // a tie
    EXPECT_EQ(Installed("WinRAR", winrar("5.30")).CurrentVersion(), "5.30");        // no file
}

TEST_F(InstalledProgramTest, AIMPVersionFromTheTextOrTheExecutables) {
    const TDriveFiles files = {
        {"Program Files/AIMP/AIMP4.exe", ProgramWithVersion("4.10.1827")},
        {"Program Files/AIMP3/AIMP3.exe", ProgramWithVersion("3.60.1500")},
    };
    struct TCase {
        const char* Version;
        const char* Icon;
        const char* Uninstall;
        const char* Expected;
    };
    const TCase cases[] = {
        {"v4.00", "C:\\Program Files\\AIMP\\AIMP4.exe", "", "4.00"},
        {"4.00", "C:\\Program Files\\AIMP\\AIMP4.exe", "", "4.10.1827.0"},
        {"", "C:\\Program Files\\AIMP\\AIMP.ico", "C:\\Program Files\\AIMP3\\Uninstall.exe",
         "3.60.1500.0"},                                                // beside the uninstaller
        {"4.00", "", "C:\\Program Files\\AIMP\\Uninstall.exe", "4.00"}, // no AIMP3.exe there
        {"4.00", "C:\\Program Files\\AIMP\\AIMP5.exe", "", ""},         // named, but missing
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Version) + " " + c.Icon + " " + c.Uninstall);
        const TUninstallRecord record = {"AIMP3", "AIMP3", c.Version, c.Icon, "", c.Uninstall};
        EXPECT_EQ(Installed("AIMP", {record}, files).CurrentVersion(), c.Expected);
    }
}

TEST_F(InstalledProgramTest, PotPlayerVersionFromItsHistoryOnlyWhenTheInventoryHasNone) {
    const auto potPlayer = [](const char* aVersion) {
        return std::vector<TUninstallRecord>{
            {"PotPlayer", "Potplayer", aVersion, "C:\\PotPlayer\\PotPlayerMini.exe", ""}};
    };
    const std::pair<std::string, std::string> history = {
        "PotPlayer/History.txt", "[1.6.62377] 2016/07/21\r\n+ ...\r\n[1.6.60136]\r\n"};
    const std::pair<std::string, std::string> english = {"PotPlayer/History/English.txt",
                                                         "[1.6.60136] 2016/05/31\r\n"};
    struct TCase {
        const char* Version;
        TDriveFiles Files;
        const char* Expected;
    };
    const TCase cases[] = {
        {"", {}, ""},
        {"", {english}, "1.6.60136"},
        {"", {history, english}, "1.6.62377"},
        {"", {{"PotPlayer/History.txt", "no entries yet"}, english}, ""},
        {"1.7.1", {history}, "1.7.1"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Version) + " with " + std::to_string(c.Files.size()));
        EXPECT_EQ(Installed("Daum PotPlayer", potPlayer(c.Version), c.Files).CurrentVersion(),
                  c.Expected);
    }
}

TEST_F(InstalledProgramTest, VersionFromAnotherItemOrASubfolderNamedAfterTheEntry) {
    EXPECT_EQ(Installed("QIP 2012", {{"A", "QIP 2012 4.0.9379", "", "", ""},
                                     {"B", "QIP 2012 Plugins", "build 4.0.9380 ", "", ""}})
                  .CurrentVersion(),
              "4.0.9379"); // the first item, its version corrected from its name
    EXPECT_EQ(Installed("QIP 2012", {{"A", "Plugins for QIP 2012", "build 4.0.9381 ", "", ""},
                                     {"B", "QIP 2012 4.0.9379", "", "", ""}})
                  .CurrentVersion(),
              "4.0.9381");

    const TDriveFiles files = {
        {"Freemake/Freemake Video Converter/FreemakeVC.exe", ProgramWithVersion("4.1.9.44")}};
    for (const char* location : {"C:\\Freemake", "C:\\Freemake\\"}) {
        const TUninstallRecord record = {"A", "Freemake Video Converter 4.1.9", "4.1.9", "",
                                         location};
        EXPECT_EQ(Installed("Freemake Video Converter", {record}, files).CurrentVersion(),
                  "4.1.9.44");
    }
    const TUninstallRecord musicBox = {"A", "Freemake Music Box", "1.0.2", "", "C:\\Freemake"};
    EXPECT_EQ(Installed("Freemake Music Box", {musicBox}, files).CurrentVersion(), "1.0.2");
}

TEST_F(InstalledProgramTest, IconsFoundBesideTheInstalledProgram) {
    const std::string program = BuildPeFile(SampleProgram()).Bytes;
    const TDriveFiles files = {
        {"CDBurnerXP/cdbxpp.exe", program},
        {"PotPlayer/PotPlayerMini64.exe", program},
        {"Picasa3/Picasa3.exe", program},
        {"BurnAware/BurnAware.exe", program},
    };
    struct TCase {
        const char* Entry;
        TUninstallRecord Record;
        bool SampleIcon; // else the icon of a location that names no file
    };
    const TCase cases[] = {
        // The executable wins over the recorded icon whenever it is there.
        {"CDBurnerXP",
         {"A", "CDBurnerXP", "4.5", "C:\\Nowhere\\cd.ico", "C:\\CDBurnerXP\\x"},
         true},
        {"CDBurnerXP",
         {"A", "CDBurnerXP", "4.5", "C:\\Nowhere\\cd.ico", "C:\\Elsewhere\\x"},
         false},
        {"Daum PotPlayer",
         {"A", "Potplayer", "1.6", "C:\\Nowhere\\p.ico", "", "C:\\PotPlayer\\uninstall.exe"},
         true},
        {"Picasa", {"A", "Picasa 3", "3.9", "", "C:\\Picasa3"}, true},
        // The executable only when no icon is recorded.
        {"BurnAware Free", {"A", "BurnAware Free 9.4", "", "", "C:\\BurnAware"}, true},
        {"BurnAware Free",
         {"A", "BurnAware Free 9.4", "", "C:\\Nowhere\\b.ico", "C:\\BurnAware"},
         false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Entry) + " " + c.Record.DisplayIcon + " " +
                     c.Record.InstallLocation);
        const TBaseSoftware& entry = Installed(c.Entry, {c.Record}, files);
        const std::string sampleIcon = IconOf("C:\\CDBurnerXP\\cdbxpp.exe");
        ASSERT_NE(sampleIcon, platform::DefaultApplicationIcon());
        ASSERT_TRUE(entry.Info().Icon().has_value());
        EXPECT_EQ(*entry.Info().Icon() == sampleIcon, c.SampleIcon);
    }
}

TEST_F(InstalledProgramTest, PicasaVersionFromItsExecutable) {
    const TDriveFiles files = {{"Picasa3/Picasa3.exe", ProgramWithVersion("3.9.141.259")},
                               {"Picasa3/PicasaPhotoViewer.exe", ProgramWithVersion("1.0")}};
    const TUninstallRecord found = {"A", "Picasa 3", "3.9", "", "C:\\Picasa3"};
    const TUninstallRecord elsewhere = {"A", "Picasa 3", "3.9", "", "C:\\Elsewhere"};
    EXPECT_EQ(Installed("Picasa", {found}, files).CurrentVersion(), "3.9.141.259");
    EXPECT_EQ(Installed("Picasa", {elsewhere}, files).CurrentVersion(), "3.9");
}

TEST(BeyondCompareTest, BuildsOfOneReleaseCountAsTheSameVersion) {
    TCatalogueEnvironment machine;
    TBaseSoftware& entry = machine.CatalogueEntry("Beyond Compare");
    EXPECT_EQ(entry.CompareVersions("4.1.9.21719", "4.1.9.22000", 4), 0);
    EXPECT_EQ(entry.CompareVersions("4.1.9", "4.1.10", 4), -1);
    EXPECT_EQ(entry.CompareVersions("4.2", "3.3.13", 4), 3);
}
