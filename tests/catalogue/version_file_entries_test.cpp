// Entries that read a plain version file of the publisher: a one-line file with a
// fixed installer (SQLite Expert Personal, SoftPerfect RAM Disk), the Auslogics
// update check, Glary Utilities' INI file and SumatraPDF's update-check file.

#include "support/catalogue_environment.h"
#include "support/pe_samples.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

namespace {

struct TFileCase {
    std::string File;
    const char* Version;
    const char* URL;
};

class VersionFileEntriesTest : public ::testing::Test {
protected:
    // The entry checked with aFile as the version file at aPath.
    const TBaseSoftware& CheckedWith(const char* aEntry, const std::string& aPath,
                                     const std::string& aFile) {
        fMachine.ServeText(aPath, aFile, "text/plain");
        return fMachine.CheckEntry(aEntry);
    }

    void Expect(const char* aEntry, const std::string& aPath, const TFileCase& aCase) {
        const TBaseSoftware& entry = CheckedWith(aEntry, aPath, aCase.File);
        EXPECT_EQ(entry.AvailableVersion(), aCase.Version) << aEntry << ": " << aCase.File;
        EXPECT_EQ(entry.DownloadURL(), aCase.URL) << aEntry << ": " << aCase.File;
    }

    TCatalogueEnvironment fMachine;
};

} // namespace

TEST_F(VersionFileEntriesTest, OneLineFiles) {
    const std::string sqlitePath = "/www.sqliteexpert.com/version.txt";
    const std::string ramDiskPath = "/www.softperfect.com/products/ramdisk/version.txt";
    fMachine.ServeText(ramDiskPath, ""); // both before the server starts
    const char* sqlite = "https://www.sqliteexpert.com/SQLiteExpertPersSetup.exe";
    const TFileCase sqliteCases[] = {
        {"4.1.1.0\r\n", "4.1.1.0", sqlite},
        {"SQLite Expert 4.1.1.0", "4.1.1.0", sqlite}, // the number anywhere
        {"4.1.1.0-beta", "4.1.1.0", sqlite},
        {". no version", "", ""},                      // a stray dot is no version
        {std::string(70000, ' ') + "4.1.1.0", "", ""}, // too long for a version file
        {"", "", ""},
    };
    for (const auto& c : sqliteCases) {
        Expect("SQLite Expert Personal", sqlitePath, c);
    }
    const char* ramDisk = "https://www.softperfect.com/download/files/ramdisk_setup.exe";
    const TFileCase ramDiskCases[] = {
        {"3.4.8\n", "3.4.8", ramDisk},
        {"3.4.8", "3.4.8", ramDisk},
        {"version 3.4.8", "", ""}, // the number must come first
        {"\n3.4.8", "", ""},
    };
    for (const auto& c : ramDiskCases) {
        Expect("SoftPerfect RAM Disk", ramDiskPath, c);
    }
}

TEST_F(VersionFileEntriesTest, AuslogicsUpdateCheckOfEachProgram) {
    struct TCase {
        const char* Entry;
        const char* Version;
        const char* URL;
    };
    const TCase cases[] = {
        {"Auslogics Disk Defrag", "7.1.5.0",
         "https://www.auslogics.com/en/downloads/disk-defrag/disk-defrag-setup.exe"},
        {"Auslogics Duplicate File Finder", "6.1.1.0",
         "https://www.auslogics.com/en/downloads/duplicate-file-finder/"
         "duplicate-file-finder-setup.exe"},
        {"Auslogics Registry Cleaner", "4.2.0.0",
         "https://www.auslogics.com/en/downloads/registry-cleaner/registry-cleaner-setup.exe"},
        {"Auslogics Registry Defrag", "10.1.1.0",
         "https://www.auslogics.com/en/downloads/registry-defrag/registry-defrag-setup.exe"},
    };
    for (const auto& c : cases) {
        const TBaseSoftware& entry = fMachine.CheckEntry(c.Entry);
        EXPECT_EQ(entry.AvailableVersion(), c.Version) << c.Entry;
        EXPECT_EQ(entry.DownloadURL(), c.URL) << c.Entry;
    }
}

TEST_F(VersionFileEntriesTest, AuslogicsInstalledVersionIsTheProgramFile) {
    fMachine.WriteDriveFile("Auslogics/Disk Defrag/DiskDefrag.exe", ProgramWithVersion("7.1.5.0"));
    fMachine.SetMachine(
        {{"A", "Auslogics Disk Defrag Free", "7.0", "", "C:\\Auslogics\\Disk Defrag"},
         {"B", "Auslogics Registry Defrag", "10.0", "", "C:\\Auslogics\\Registry Defrag"}});
    TBaseSoftware& defrag = fMachine.CatalogueEntry("Auslogics Disk Defrag");
    TBaseSoftware& registry = fMachine.CatalogueEntry("Auslogics Registry Defrag");
    defrag.Init();
    registry.Init();
    EXPECT_EQ(defrag.CurrentVersion(), "7.1.5.0");
    EXPECT_EQ(registry.CurrentVersion(), "10.0"); // no program file: the inventory's
}

TEST_F(VersionFileEntriesTest, GlaryUtilitiesReadsTheVersionSection) {
    const char* setup = "https://download.glarysoft.com/gu5setup.exe";
    const TFileCase cases[] = {
        {"[Version]\r\nVersion=5.56.0.77\r\nUpdateUrl=https://download.glarysoft.com/gu5setup.exe "
         "\r\n",
         "5.56.0.77", setup},
        {"[Portable]\nVersion=1.0\nUpdateUrl=https://a.example/p.zip\n[Version]\nVersion=5.56.0.77"
         "\nUpdateUrl=https://download.glarysoft.com/gu5setup.exe\n[Other]\nVersion=2.0\n",
         "5.56.0.77", setup},
        // Lines of the next section are not the version's.
        {"[Version]\nVersion=5.56.0.77\n[Download]\nUpdateUrl=https://a.example/x.exe\n",
         "5.56.0.77", ""},
        {"[Version]\nUpdateUrl=/gu5setup.exe\n", "", "https://www.glarysoft.com/gu5setup.exe"},
        {"[version]\nVersion=5.56.0.77\n", "", ""}, // the section's name in its case
        {"Version=5.56.0.77\nUpdateUrl=https://a.example/x.exe\n", "", ""},
        {"[Version]\n", "", ""},
        {"[Version]\nVersion=5.56.", "", ""}, // cut off
    };
    for (const auto& c : cases) {
        Expect("Glary Utilities", "/www.glarysoft.com/update/glary-utilities/version.ini", c);
    }
}

TEST_F(VersionFileEntriesTest, GlaryUtilitiesInstalledCopyIsTheHighest) {
    fMachine.SetMachine({{"A", "Glary Utilities 5.9", "5.9", "", ""},
                         {"B", "Glary Utilities 5.10", "5.10", "", ""},
                         {"C", "Glary Utilities Pro 6", "6.0", "", ""}});
    TBaseSoftware& entry = fMachine.CatalogueEntry("Glary Utilities");
    entry.Init();
    EXPECT_EQ(entry.CurrentVersion(), "5.10");
}

TEST_F(VersionFileEntriesTest, SumatraPDFReadsTheLatestLineAndNamesTheInstallerAfterIt) {
    const std::string path = "/www.sumatrapdfreader.org/update-check-rel.txt";
    const TFileCase cases[] = {
        {"[SumatraPDF]\r\nLatest 3.1.2\r\n", "3.1.2",
         "https://www.sumatrapdfreader.org/dl/SumatraPDF-3.1.2-install.exe"},
        {"[SumatraPDF]\nLatest 3.2", "3.2",
         "https://www.sumatrapdfreader.org/dl/SumatraPDF-3.2-install.exe"},
        {"[SumatraPDF]\nLatest 3.1.2 beta\n", "", ""}, // not a release number
        {"[SumatraPDF]\nLatest .\n", "", ""},
        {"[SumatraPDF]\nLatest", "", ""}, // cut short
        {"[SumatraPDF]\nStable 3.1.2\n", "", ""},
        {"[SumatraPDF]\n" + std::string(70000, ' ') + "\nLatest 3.1.2\n", "", ""},
    };
    for (const auto& c : cases) {
        Expect("SumatraPDF", path, c);
    }
}
