// Entries that offer one of several installers of a release: the one for the system's
// architecture, the one in the user's interface language, or both.

#include "support/catalogue_environment.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

TEST(InstallerChoiceEntriesTest, TheArchitectureAndTheLanguagePickTheInstaller) {
    const std::string eset = "https://download.eset.com/com/eset/apps/home/";
    const std::string doubleCommander = "https://downloads.sourceforge.net/project/doublecmd/"
                                        "Double%20Commander%20Windows%20";
    const std::string git =
        "https://github.com/git-for-windows/git/releases/download/v2.9.0.windows.1/";
    struct TCase {
        const char* Entry;
        bool Windows64;
        TLanguage Language;
        std::string URL;
    };
    const TCase cases[] = {
        {"ESET NOD32 Antivirus", true, lEnglish,
         eset + "eav/windows/v9/9.0.381.0/eav_nt64_enu.exe"},
        {"ESET NOD32 Antivirus", false, lEnglish,
         eset + "eav/windows/v9/9.0.381.0/eav_nt32_enu.exe"},
        {"ESET NOD32 Antivirus", true, lRussian,
         eset + "eav/windows/v9/9.0.381.0/eav_nt64_rus.exe"},
        {"ESET NOD32 Antivirus", false, lRussian,
         eset + "eav/windows/v9/9.0.381.0/eav_nt32_rus.exe"},
        {"ESET Smart Security", false, lRussian,
         eset + "ess/windows/v9/9.0.381.0/ess_nt32_rus.exe"},
        {"ESET Smart Security", true, lDefault, eset + "ess/windows/v9/9.0.381.0/ess_nt64_enu.exe"},
        {"Avira Free Antivirus", true, lRussian,
         "https://install.avira-update.com/package/antivirus/win/ru-ru/avira_antivirus_ru-ru.exe"},
        {"Avira Free Antivirus", false, lEnglish,
         "https://install.avira-update.com/package/antivirus/win/en-us/avira_antivirus_en-us.exe"},
        {"HxD Hex Editor", true, lRussian, "https://mh-nexus.de/downloads/HxDSetupRU.zip"},
        {"HxD Hex Editor", false, lDefault, "https://mh-nexus.de/downloads/HxDSetupEN.zip"},
        {"GOM Player", true, lRussian,
         "https://cdn.gomlab.com/gretech/player/GOMPLAYERRUSSETUP.EXE"},
        {"Double Commander", false, lEnglish,
         doubleCommander + "32%20bit/Double%20Commander%200.7.5%20beta/"
                           "doublecmd-0.7.5.i386-win32.exe"},
        {"FileZilla Client", false, lEnglish,
         "https://download.filezilla-project.org/client/FileZilla_3.18.0_win32-setup.exe"},
        {"Git", false, lEnglish, git + "Git-2.9.0-32-bit.exe"},
        {"Inkscape", false, lEnglish,
         "https://inkscape.org/en/gallery/item/3932/inkscape-0.91-x86.msi"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Entry) + (c.Windows64 ? " 64-bit, " : " 32-bit, ") +
                     (c.Language == lRussian ? "Russian" : "English"));
        TCatalogueEnvironment machine;
        machine.SetMachine({}, c.Windows64);
        TBaseSoftware& entry = machine.CatalogueEntry(c.Entry);
        entry.Init();
        entry.Check(false, c.Language);
        EXPECT_FALSE(entry.AvailableVersion().empty());
        EXPECT_EQ(entry.DownloadURL(), c.URL);
    }
}

TEST(InstallerChoiceEntriesTest, GOMPlayerOffersTheRussianEditionOnlyForAStatedVersion) {
    TCatalogueEnvironment machine;
    // A directory page that states no version: nothing to offer the Russian edition for.
    machine.ServeText("/download.cnet.com/GOM-Player/3000-2139_4-10551786.html",
                      "<a class='dln-a' href='https://download.cnet.com/"
                      "3001-2139_4-10551786.html?spi=8e3d4c'>Download Now</a>");
    TBaseSoftware& entry = machine.CatalogueEntry("GOM Player");
    entry.Init();
    entry.Check(false, lRussian);
    EXPECT_EQ(entry.AvailableVersion(), "");
    EXPECT_EQ(entry.DownloadURL(), "https://files.downloadnow.com/s/software/10/55/17/86/"
                                   "GOMPLAYERGLOBALSETUP_NEW.exe?token=1454700000_3c9d");
}
