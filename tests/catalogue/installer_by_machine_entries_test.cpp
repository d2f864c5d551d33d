// Entries whose publisher page offers several installers of one release: the machine's
// architecture or the user's interface language picks one, the release stays the same.

#include "support/catalogue_environment.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

TEST(InstallerByMachineEntriesTest, TheMachineAndTheLanguagePickTheInstaller) {
    struct TCase {
        const char* Entry;
        bool Windows64;
        TLanguage Language;
        const char* Version;
        const char* Installer;
    };
    const TCase cases[] = {
        {"TortoiseSVN", false, lEnglish, "1.9.4.27285",
         "https://osdn.net/projects/tortoisesvn/storage/1.9.4/Application/"
         "TortoiseSVN-1.9.4.27285-win32-svn-1.9.4.msi"},
        {"Vivaldi", false, lEnglish, "1.5.658.44",
         "https://downloads.vivaldi.com/stable/Vivaldi.1.5.658.44.exe"},
        {"Vivaldi", true, lEnglish, "1.5.658.44",
         "https://downloads.vivaldi.com/stable/Vivaldi.1.5.658.44.x64.exe"},
        {"Wireshark", false, lRussian, "2.2.1",
         "https://1.na.dl.wireshark.org/win32/Wireshark-win32-2.2.1.exe"},
        {"Thunderbird", true, lRussian, "45.4.0",
         "https://download.mozilla.org/?product=thunderbird-45.4.0-SSL&os=win&lang=ru"},
        {"Thunderbird", false, lDefault, "45.4.0",
         "https://download.mozilla.org/?product=thunderbird-45.4.0-SSL&os=win&lang=en-US"},
        {"WebMoney Keeper", true, lRussian, "3.9.9.9",
         "https://download.webmoney.ru/wmk_classic_ru.exe"},
        {"WebMoney Keeper", true, lDefault, "3.9.9.9",
         "https://download.webmoney.ru/wmk_classic_en.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Entry) + (c.Windows64 ? " 64-bit" : " 32-bit") + " language " +
                     std::to_string(static_cast<int>(c.Language)));
        TCatalogueEnvironment machine;
        machine.SetMachine({}, c.Windows64);
        TBaseSoftware& entry = machine.CatalogueEntry(c.Entry);
        entry.Init();
        entry.Check(false, c.Language);
        EXPECT_EQ(entry.AvailableVersion(), c.Version);
        EXPECT_EQ(entry.DownloadURL(), c.Installer);
        EXPECT_EQ(entry.Size(), kFixtureInstallerSize);
    }
}

TEST(InstallerByMachineEntriesTest, OnlyTheLinkOfTheMachinesArchitectureCounts) {
    // The 64-bit installer alone is on offer: a 32-bit machine finds nothing rather than
    // an installer it cannot run.
    for (const auto& [entry, path, page] : {
             std::tuple{"Vivaldi", "/vivaldi.com/download/",
                        R"(<a href="https://d.example/Vivaldi.1.6.1.x64.exe">64-bit</a>)"},
             std::tuple{"Wireshark", "/www.wireshark.org/download.html",
                        R"(<a href="https://d.example/win64/Wireshark-win64-2.2.2.exe">64</a>)"},
         }) {
        SCOPED_TRACE(entry);
        TCatalogueEnvironment machine;
        machine.ServeText(path, page);
        machine.SetMachine({}, false);
        const TBaseSoftware& checked = machine.CheckEntry(entry);
        EXPECT_EQ(checked.AvailableVersion(), "");
        EXPECT_EQ(checked.DownloadURL(), "");
    }
}
