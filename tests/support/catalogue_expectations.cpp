#include "support/catalogue_expectations.h"

#include "support/pe_samples.h"

namespace brivane::test {

namespace {

// A program file with this file version, at aPath below drive C.
std::function<void(TCatalogueEnvironment&)> ProgramFile(std::string aPath, std::string aVersion) {
    return [aPath = std::move(aPath),
            aVersion = std::move(aVersion)](TCatalogueEnvironment& aMachine) {
        aMachine.WriteDriveFile(aPath, ProgramWithVersion(aVersion));
    };
}

std::vector<TEntryExpectation> MakeExpectations() {
    std::vector<TEntryExpectation> rows;
    rows.push_back({
        .Name = "7-Zip",
        .Category = scSystem,
        .Installed = {{"7-Zip", "7-Zip 15.14 (x64)", "", "", ""}},
        .CurrentVersion = "15.14",
        .AvailableVersion = "16.02",
        .DownloadURL = "https://www.7-zip.org/a/7z1602-x64.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Adobe Reader",
        .Category = scOffice,
        .Installed = {{"{AC76BA86-7AD7-1033-7B44-AB0000000001}", "Adobe Reader XI (11.0.10)",
                       "11.0.10", "", ""}},
        .CurrentVersion = "11.0.10",
        .AvailableVersion = "11.0.16",
        .DownloadURL = "https://ardownload2.adobe.com/pub/adobe/reader/win/11.x/11.0.16/en_US/"
                       "AdbeRdr11016_en_US.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Auslogics Disk Defrag",
        .Category = scSystem,
        .Installed = {{"{DF6A13C5-77DF-4ACA-3F68-2E8F0E0B9B3A}_is1", "Auslogics Disk Defrag",
                       "7.1.4.0", "", "C:\\Program Files (x86)\\Auslogics\\Disk Defrag"}},
        .Prepare =
            ProgramFile("Program Files (x86)/Auslogics/Disk Defrag/DiskDefrag.exe", "7.1.5.0"),
        .CurrentVersion = "7.1.5.0",
        .AvailableVersion = "7.1.5.0",
        .DownloadURL = "https://www.auslogics.com/en/downloads/disk-defrag/disk-defrag-setup.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "Auslogics Duplicate File Finder",
        .Category = scSystem,
        .AvailableVersion = "6.1.1.0",
        .DownloadURL = "https://www.auslogics.com/en/downloads/duplicate-file-finder/"
                       "duplicate-file-finder-setup.exe",
    });
    rows.push_back({
        .Name = "Auslogics Registry Cleaner",
        .Category = scSystem,
        .Installed = {{"{7C2A8E34-9E8B-4C27-8E0D-3B1C6E2B1A11}_is1", "Auslogics Registry Cleaner",
                       "4.1.0.0", "", "C:\\Program Files (x86)\\Auslogics\\Registry Cleaner"}},
        .CurrentVersion = "4.1.0.0",
        .AvailableVersion = "4.2.0.0",
        .DownloadURL =
            "https://www.auslogics.com/en/downloads/registry-cleaner/registry-cleaner-setup.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Auslogics Registry Defrag",
        .Category = scSystem,
        .AvailableVersion = "10.1.1.0",
        .DownloadURL =
            "https://www.auslogics.com/en/downloads/registry-defrag/registry-defrag-setup.exe",
    });
    rows.push_back({
        .Name = "CCleaner",
        .Category = scSystem,
        .Installed = {{"CCleaner", "CCleaner", "5.20", "", "C:\\Program Files\\CCleaner"}},
        .Prepare = ProgramFile("Program Files/CCleaner/CCleaner.exe", "5.21.0.5700"),
        .CurrentVersion = "5.21.0.5700",
        .AvailableVersion = "5.21.0.5700",
        .DownloadURL = "https://download.ccleaner.com/ccsetup521.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "DAEMON Tools Lite",
        .Category = scSystem,
        .Installed = {{"DAEMON Tools Lite", "DAEMON Tools Lite", "10.3.0.0", "", ""}},
        .CurrentVersion = "10.3.0.0",
        .AvailableVersion = "10.4.0.0200",
        .DownloadURL = "https://www.daemon-tools.cc/download/DTLiteInstaller.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Defraggler",
        .Category = scSystem,
        .Installed = {{"Defraggler", "Defraggler", "2.21", "", "C:\\Program Files\\Defraggler"}},
        .Prepare = ProgramFile("Program Files/Defraggler/Defraggler.exe", "2.21.0.993"),
        .CurrentVersion = "2.21.0.993",
        .AvailableVersion = "2.21.0.993",
        .DownloadURL = "https://download.ccleaner.com/dfsetup221.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "Dernholt",
        .Category = scInternetNetwork,
        .AvailableVersion = "2.4.1",
        .DownloadURL = "https://update.brivane.app/download/dernholt/dernholt-setup-2.4.1.exe",
    });
    rows.push_back({
        .Name = "Evernote",
        .Category = scOffice,
        .Installed = {{"{F761359C-9CED-45AE-9A51-9D6605CD55C4}", "Evernote v. 6.1.1", "6.1.1.2270",
                       "", "C:\\Program Files (x86)\\Evernote\\Evernote\\"}},
        .Prepare = ProgramFile("Program Files (x86)/Evernote/Evernote/Evernote.exe", "6.1.2.2292"),
        .CurrentVersion = "6.1.2.2292",
        .AvailableVersion = "6.1.2.2292",
        .DownloadURL = "https://cdn1.evernote.com/win6/public/Evernote_6.1.2.2292.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "Firefox",
        .Category = scInternetNetwork,
        .Installed = {{"Mozilla Firefox 46.0.1 (x86 en-US)", "Mozilla Firefox 46.0.1 (x86 en-US)",
                       "46.0.1", "", "C:\\Program Files (x86)\\Mozilla Firefox"}},
        .CurrentVersion = "46.0.1",
        .AvailableVersion = "47.0.1",
        .DownloadURL = "https://download.mozilla.org/?product=firefox-47.0.1-SSL&os=win&lang=en-US",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Glary Utilities",
        .Category = scSystem,
        .Installed = {{"Glary Utilities 5", "Glary Utilities 5.55", "5.55.0.76", "", ""}},
        .CurrentVersion = "5.55.0.76",
        .AvailableVersion = "5.56.0.77",
        .DownloadURL = "https://download.glarysoft.com/gu5setup.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "OpenVPN",
        .Category = scInternetNetwork,
        .Installed = {{"OpenVPN", "OpenVPN 2.3.10-I603 ", "2.3.10-I603", "",
                       "C:\\Program Files\\OpenVPN"}},
        .CurrentVersion = "2.3.10",
        .AvailableVersion = "2.3.11",
        .DownloadURL = "https://swupdate.openvpn.org/community/releases/"
                       "openvpn-install-2.3.11-I601-x86_64.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Opera",
        .Category = scInternetNetwork,
        .Installed = {{"Opera 38.0.2220.41", "Opera Stable 38.0.2220.41", "38.0.2220.41", "", ""}},
        .CurrentVersion = "38.0.2220.41",
        .AvailableVersion = "38.0.2220.41",
        .DownloadURL = "https://get.geo.opera.com/pub/opera/desktop/38.0.2220.41/win/"
                       "Opera_38.0.2220.41_Setup.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "Recuva",
        .Category = scSystem,
        .AvailableVersion = "1.53.0.1087",
        .DownloadURL = "https://download.ccleaner.com/rcsetup153.exe",
    });
    rows.push_back({
        .Name = "SoftPerfect RAM Disk",
        .Category = scSystem,
        .Installed = {{"RAM Disk_is1", "SoftPerfect RAM Disk 3.4.7", "", "",
                       "C:\\Program Files\\SoftPerfect RAM Disk"}},
        .CurrentVersion = "3.4.7",
        .AvailableVersion = "3.4.8",
        .DownloadURL = "https://www.softperfect.com/download/files/ramdisk_setup.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Speccy",
        .Category = scSystem,
        .Installed = {{"Speccy", "Speccy", "1.29", "", "C:\\Program Files\\Speccy"}},
        .CurrentVersion = "1.29",
        .AvailableVersion = "1.30.0.730",
        .DownloadURL = "https://download.ccleaner.com/spsetup130.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "SpeedFan",
        .Category = scSystem,
        .Installed = {{"SpeedFan", "SpeedFan (remove only)", "", "", "",
                       "\"C:\\Program Files (x86)\\SpeedFan\\uninstall.exe\""}},
        .Prepare = ProgramFile("Program Files (x86)/SpeedFan/speedfan.exe", "4.51.0.0"),
        .CurrentVersion = "4.51.0.0",
        .AvailableVersion = "4.52",
        .DownloadURL = "https://www.almico.com/speedfan452.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "SQLite Expert Personal",
        .Category = scDevelopment,
        .AvailableVersion = "4.1.1.0",
        .DownloadURL = "https://www.sqliteexpert.com/SQLiteExpertPersSetup.exe",
    });
    rows.push_back({
        .Name = "Telegram",
        .Category = scInternetNetwork,
        .Installed = {{"{53F49750-6209-4FBF-9CA8-7A333C87D1ED}_is1",
                       "Telegram Desktop version 0.9.56", "0.9.56", "", ""}},
        .CurrentVersion = "0.9.56",
        .AvailableVersion = "0.9.56",
        .DownloadURL = "https://updates.tdesktop.com/tsetup/tsetup.0.9.56.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "Yandex Browser",
        .Category = scInternetNetwork,
        .Installed = {{"YandexBrowser", "Yandex", "16.6.1.30117", "", ""}},
        .CurrentVersion = "16.6.1.30117",
        .AvailableVersion = "16.7.1.20937",
        .DownloadURL = "https://download.cdn.yandex.net/browser/yandex/en/Yandex.exe",
        .List = TExpectedList::Updates,
    });
    return rows;
}

} // namespace

std::span<const TEntryExpectation> CatalogueExpectations() {
    static const std::vector<TEntryExpectation> rows = MakeExpectations();
    return rows;
}

} // namespace brivane::test
