// How entries recognise their installed program by its inventory name and read its
// version: the highest of several records, a version written in the name or in a
// version text, or the file version of the program where its file is there.

#include "support/catalogue_environment.h"
#include "support/pe_samples.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

TEST(InstalledNameEntriesTest, TheInstalledCopyAndItsVersion) {
    struct TCase {
        const char* Entry;
        std::vector<TUninstallRecord> Records;
        bool Installed;
        const char* CurrentVersion;
    };
    const TCase cases[] = {
        // The highest version above 0 among the product's names, whatever the edition.
        {"AVG",
         {{"A", "AVG Free 2015", "15.0.6176", "", ""},
          {"B", "AVG AntiVirus Free Edition 2016", "16.71.7598", "", ""},
          {"C", "AVG 2014", "0", "", ""}},
         true,
         "16.71.7598"},
        {"AVG", {{"A", "AVG 2016", "", "", ""}, {"B", "AVG 2015", "0", "", ""}}, false, ""},
        {"AVG", {{"A", "AVG PC TuneUp 2016", "16.82.2", "", ""}}, false, ""},
        {"Inkscape",
         {{"A", "Inkscape 0.91", "0.91", "", ""},
          {"B", "Inkscape 0.48.5", "0.48.5", "", ""},
          {"C", "Inkscape", "0.92", "", ""}},
         true,
         "0.92"},
        {"Inkscape", {{"A", "Inkscape", "", "", ""}}, false, ""},
        // The number of a version text; a text without one stays as it is.
        {"FileZilla Server", {{"A", "FileZilla Server", "beta 0.9.57", "", ""}}, true, "0.9.57"},
        {"FileZilla Server", {{"A", "FileZilla Server", "0.9.41 ", "", ""}}, true, "0.9.41"},
        {"FileZilla Server", {{"A", "FileZilla Server", "beta", "", ""}}, true, "beta"},
        // The version in the name wins over a recorded one.
        {"Eraser", {{"A", "Eraser 6.2.0.2970", "6.2.2970", "", ""}}, true, "6.2.0.2970"},
        {"FotoSketcher", {{"A", "FotoSketcher 3.10", "", "", ""}}, true, "3.10"},
        {"Git", {{"A", "Git version 2.8.4", "2.8.3", "", ""}}, true, "2.8.4"},
        {"Git", {{"A", "Git Extensions 2.48", "2.48", "", ""}}, false, ""},
        {"Inno Setup", {{"A", "Inno Script Studio", "2.3", "", ""}}, false, ""},
        {"Inno Setup", {{"A", "Inno Setup version 5.5.8", "5.5.8", "", ""}}, true, "5.5.8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Entry) + " from " + c.Records.front().DisplayName);
        TCatalogueEnvironment machine;
        machine.SetMachine(c.Records);
        TBaseSoftware& entry = machine.CatalogueEntry(c.Entry);
        entry.Init();
        EXPECT_EQ(entry.IsInstalled(), c.Installed);
        EXPECT_EQ(entry.CurrentVersion(), c.CurrentVersion);
    }
}

TEST(InstalledNameEntriesTest, TheProgramFileVersionWhereItIsThere) {
    struct TCase {
        const char* Entry;
        TUninstallRecord Record;
        const char* ProgramFile; // below drive C
        const char* Inventory;   // the version without the file
    };
    const TCase cases[] = {
        {"EaseUS Partition Master",
         {"A", "EaseUS Partition Master 11.5 Free Edition", "11.0", "", "C:\\EaseUS\\EPM"},
         "EaseUS/EPM/bin/Main.exe",
         "11.5"},
        {"Double Commander",
         {"B", "Double Commander 0.7.4 beta (x64)", "", "", "C:\\Double Commander\\"},
         "Double Commander/doublecmd.exe",
         "0.7.4"},
        {"FileHippo App Manager",
         {"C", "FileHippo App Manager", "2.0 beta 4", "", "", "\"C:\\FileHippo\\uninst.exe\" /S"},
         "FileHippo/FileHippo.AppManager.exe",
         "2.0 beta 4"},
        {"Delphi IDE Theme Editor",
         {"D", "Delphi IDE Theme Editor", "1.1.18.0", "", "C:\\DITE"},
         "DITE/DITE.exe",
         "1.1.18.0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Entry);
        for (const bool present : {false, true}) {
            TCatalogueEnvironment machine;
            if (present) {
                machine.WriteDriveFile(c.ProgramFile, ProgramWithVersion("9.8.7.6"));
            }
            machine.SetMachine({c.Record});
            TBaseSoftware& entry = machine.CatalogueEntry(c.Entry);
            entry.Init();
            EXPECT_EQ(entry.CurrentVersion(), present ? "9.8.7.6" : c.Inventory);
        }
    }
}
