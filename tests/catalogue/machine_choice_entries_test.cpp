// Entries whose installer follows the machine or the user: the system's architecture
// (a 64-bit installer where the publisher offers one) and the interface language, and
// IrfanView, whose version comes from the publisher while the installer comes from the
// CNet directory.

#include "support/catalogue_environment.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

TEST(MachineChoiceEntriesTest, TheArchitecturePicksTheInstaller) {
    struct TCase {
        const char* Entry;
        const char* Version;
        const char* Installer32;
        const char* Installer64;
    };
    const TCase cases[] = {
        {"IrfanView", "4.42",
         "https://files.downloadnow.com/s/software/10/02/19/62/"
         "iview441_setup.exe?token=1454700000_77ab",
         "https://files.downloadnow.com/s/software/15/45/34/96/"
         "iview441_x64_setup.exe?token=1454700000_77ab"},
        {"PeaZip", "6.0.2",
         "https://sourceforge.net/projects/peazip/files/6.0.2/peazip-6.0.2.WINDOWS.exe/download",
         "https://sourceforge.net/projects/peazip/files/6.0.2/peazip-6.0.2.WIN64.exe"},
        {"Ruby", "2.3.1", "https://dl.bintray.com/oneclick/rubyinstaller/rubyinstaller-2.3.1.exe",
         "https://dl.bintray.com/oneclick/rubyinstaller/rubyinstaller-2.3.1-x64.exe"},
        {"SMPlayer", "16.6.0",
         "https://sourceforge.net/projects/smplayer/files/SMPlayer/16.6.0/"
         "smplayer-16.6.0-win32.exe",
         "https://sourceforge.net/projects/smplayer/files/SMPlayer/16.6.0/smplayer-16.6.0-x64.exe"},
        {"Stellarium", "0.15.0",
         "https://sourceforge.net/projects/stellarium/files/Stellarium-sources/0.15.0/"
         "stellarium-0.15.0-win32.exe",
         "https://sourceforge.net/projects/stellarium/files/Stellarium-sources/0.15.0/"
         "stellarium-0.15.0-win64.exe"},
        {"Microsoft Security Essentials", "4.10.209.0",
         "https://download.microsoft.com/download/A/3/8/A38FFBF2-1122-408B-9B2E-6E5F6C0F9A3A/"
         "ENUS/x86/MSEInstall.exe",
         "https://download.microsoft.com/download/A/3/8/A38FFBF2-1122-408B-9B2E-6E5F6C0F9A3A/"
         "ENUS/amd64/MSEInstall.exe"},
    };
    for (const TCase& c : cases) {
        for (const bool windows64 : {false, true}) {
            SCOPED_TRACE(std::string(c.Entry) + (windows64 ? " on 64-bit" : " on 32-bit"));
            TCatalogueEnvironment machine;
            machine.SetMachine({}, windows64);
            const TBaseSoftware& entry = machine.CheckEntry(c.Entry);
            EXPECT_EQ(entry.AvailableVersion(), c.Version);
            EXPECT_EQ(entry.DownloadURL(), windows64 ? c.Installer64 : c.Installer32);
        }
    }
}

TEST(MachineChoiceEntriesTest, TheInterfaceLanguagePicksTheInstaller) {
    struct TCase {
        const char* Entry;
        TLanguage Language;
        const char* Installer;
    };
    const TCase cases[] = {
        {"Microsoft Security Essentials", lRussian,
         "https://download.microsoft.com/download/A/3/8/A38FFBF2-1122-408B-9B2E-6E5F6C0F9A3A/"
         "RURU/amd64/MSEInstall.exe"},
        {"Microsoft Security Essentials", lDefault,
         "https://download.microsoft.com/download/A/3/8/A38FFBF2-1122-408B-9B2E-6E5F6C0F9A3A/"
         "ENUS/amd64/MSEInstall.exe"},
        {"OpenOffice.org", lRussian,
         "https://downloads.sourceforge.net/project/openofficeorg.mirror/4.1.2/binaries/ru/"
         "Apache_OpenOffice_4.1.2_Win_x86_install_ru.exe"},
        {"OpenOffice.org", lDefault,
         "https://downloads.sourceforge.net/project/openofficeorg.mirror/4.1.2/binaries/en-US/"
         "Apache_OpenOffice_4.1.2_Win_x86_install_en-US.exe"},
    };
    TCatalogueEnvironment machine;
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Entry) + " in language " +
                     std::to_string(static_cast<int>(c.Language)));
        TBaseSoftware& entry = machine.CatalogueEntry(c.Entry);
        entry.Init();
        entry.Check(false, c.Language);
        EXPECT_NE(entry.AvailableVersion(), "");
        EXPECT_EQ(entry.DownloadURL(), c.Installer);
        EXPECT_EQ(entry.Size(), kFixtureInstallerSize);
    }
}

TEST(MachineChoiceEntriesTest, OpenOfficeKnowsItsOldAndNewNames) {
    for (const char* name : {"OpenOffice.org 3.4", "OpenOffice 4.1.1"}) {
        TCatalogueEnvironment machine;
        machine.SetMachine({{"{OOO}", "OpenOffice.org Extension Manager 1.0", "1.0", "", ""},
                            {"{OO}", name, "3.4.9590", "", ""}});
        EXPECT_EQ(machine.CheckEntry("OpenOffice.org").CurrentVersion(), "3.4.9590") << name;
    }
}

TEST(MachineChoiceEntriesTest, IrfanViewTakesThePublishersVersionOverTheDirectorys) {
    TCatalogueEnvironment machine;
    const std::string installer = "https://files.downloadnow.com/s/software/15/45/34/96/"
                                  "iview441_x64_setup.exe?token=1454700000_77ab";
    // The directory alone when the publisher states no version.
    for (const auto& [file, version] : {std::pair{"4.42\r\n", "4.42"}, std::pair{"", "4.41"},
                                        std::pair{"<html>Not Found</html>", "4.41"}}) {
        machine.ServeText("/www.irfanview.com/version.txt", file, "text/plain");
        const TBaseSoftware& entry = machine.CheckEntry("IrfanView");
        EXPECT_EQ(entry.AvailableVersion(), version) << file;
        EXPECT_EQ(entry.DownloadURL(), installer) << file;
    }
}
