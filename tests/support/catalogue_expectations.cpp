#include "support/catalogue_expectations.h"

#include "support/form_posts.h"
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
        .Name = "API Monitor",
        .Category = scDevelopment,
        .Installed = {{"API Monitor", "API Monitor v2 (Alpha-r13)", "2.13", "", ""}},
        .CurrentVersion = "2.13",
        .AvailableVersion = "2.13",
        .DownloadURL = "https://www.rohitab.com/download/api-monitor-v2r13-setup-x64.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "Arduino",
        .Category = scDevelopment,
        .AvailableVersion = "1.8.1",
        .DownloadURL = "https://downloads.arduino.cc/arduino-1.8.1-windows.exe",
    });
    rows.push_back({
        .Name = "ArtMoney SE",
        .Category = scSystem,
        .Installed = {{"ArtMoney SE_is1", "ArtMoney SE v7.44", "", "", ""}},
        .CurrentVersion = "7.44",
        .AvailableVersion = "7.45",
        .DownloadURL = "https://www.artmoney.ru/files/artmoney745_eng_se_setup.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Audacity",
        .Category = scMultimedia,
        .Installed = {{"Audacity_is1", "Audacity 2.0.6", "2.0.6", "", ""},
                      {"Audacity 2.1.1_is1", "Audacity 2.1.1", "2.1.1", "", ""}},
        .CurrentVersion = "2.1.1",
        .AvailableVersion = "2.1.2",
        .DownloadURL = "https://www.fosshub.com/Audacity.html/audacity-win-2.1.2.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "BitComet",
        .Category = scInternetNetwork,
        .Installed = {{"BitComet", "BitComet 1.44", "1.44", "", ""}},
        .Windows64 = false,
        .CurrentVersion = "1.44",
        .AvailableVersion = "1.44",
        .DownloadURL = "https://download.bitcomet.com/achive/BitComet_1.44_setup.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "BitTorrent",
        .Category = scInternetNetwork,
        .Installed = {{"BitTorrent", "BitTorrent", "7.9.8.42502", "", ""}},
        .CurrentVersion = "7.9.8.42502",
        .AvailableVersion = "7.9.8.42502",
        .DownloadURL = "https://www.bittorrent.com/downloads/complete/track/stable/os/win",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "Blender",
        .Category = scGraphics,
        .Installed = {{"Blender", "Blender", "2.77a", "", ""}},
        .CurrentVersion = "2.77",
        .AvailableVersion = "2.78",
        .DownloadURL =
            "https://download.blender.org/release/Blender2.78/blender-2.78c-windows64.msi",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "BOINC",
        .Category = scScienceEducation,
        .AvailableVersion = "7.6.33",
        .DownloadURL = "https://boinc.berkeley.edu/dl/boinc_7.6.33_windows_x86_64.exe",
    });
    rows.push_back({
        .Name = "Calibre",
        .Category = scScienceEducation,
        .Installed = {{"{8A1B4C2D-3E5F-4A6B-9C7D-0E1F2A3B4C5D}", "calibre 64bit", "2.70.0", "",
                       ""}},
        .CurrentVersion = "2.70.0",
        .AvailableVersion = "2.78.0",
        .DownloadURL = "https://download.calibre-ebook.com/2.78.0/calibre-64bit-2.78.0.msi",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Combined Community Codec Pack",
        .Category = scMultimedia,
        .Installed = {{"CCCP", "Combined Community Codec Pack 64bit 2015-10-18", "2015.10.18.0", "",
                       ""}},
        .CurrentVersion = "2015.10.18.0",
        .AvailableVersion = "2015.10.18",
        .DownloadURL = "https://files.cccp-project.net/stable/"
                       "Combined-Community-Codec-Pack-64bit-2015-10-18.exe",
        .List = TExpectedList::Actuals,
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
        .Name = "CMake",
        .Category = scDevelopment,
        .Installed = {{"CMake 3.6.1", "CMake 3.6.1", "3.6.1", "", ""}},
        .CurrentVersion = "3.6.1",
        .AvailableVersion = "3.7.2",
        .DownloadURL = "https://cmake.org/files/v3.7/cmake-3.7.2-win32-x86.msi",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "CPU-Z",
        .Category = scSystem,
        .Installed = {{"CPUID CPU-Z_is1", "CPUID CPU-Z 1.77", "", "", ""}},
        .CurrentVersion = "1.77",
        .AvailableVersion = "1.78",
        .DownloadURL = "https://www.cpuid.com/downloads/cpu-z/cpu-z_1.78-en.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Dropbox",
        .Category = scInternetNetwork,
        .Installed = {{"Dropbox", "Dropbox", "16.4.29", "", ""}},
        .CurrentVersion = "16.4.29",
        .AvailableVersion = "16.4.30",
        .DownloadURL = "https://clientupdates.dropboxstatic.com/dbx-releng/client/"
                       "Dropbox%2016.4.30%20Offline%20Installer.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Dernholt",
        .Category = scInternetNetwork,
        .AvailableVersion = "2.4.1",
        .DownloadURL = "https://update.brivane.app/download/dernholt/dernholt-setup-2.4.1.exe",
    });
    rows.push_back({
        .Name = "Inno Script Studio",
        .Category = scDevelopment,
        .Installed = {{"Inno Script Studio_is1", "Inno Script Studio", "2.5.1", "", ""}},
        .CurrentVersion = "2.5.1",
        .AvailableVersion = "2.5.1",
        .DownloadURL = "https://www.kymoto.org/downloads/ISStudio_Latest.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "SlimCleaner",
        .Category = scSystem,
        .Installed = {{"SlimCleaner", "SlimCleaner", "4.1.24.0", "", ""}},
        .CurrentVersion = "4.1.24.0",
        .AvailableVersion = "4.1.24.7", // the same release: three components count
        .DownloadURL = "https://downloads.slimwareutilities.com/SlimCleanerSetup.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "SlimComputer",
        .Category = scSystem,
        .AvailableVersion = "1.3.26.0",
        .DownloadURL = "https://files.downloadnow.com/s/software/15/18/52/"
                       "SlimComputerSetup.exe?token=1479000000_2c9d",
    });
    rows.push_back({
        .Name = "SlimDrivers",
        .Category = scSystem,
        .Installed = {{"SlimDrivers", "SlimDrivers", "2.2.9.0", "", ""}},
        .CurrentVersion = "2.2.9.0",
        .AvailableVersion = "2.3.1.0",
        .DownloadURL = "https://downloads.slimwareutilities.com/SlimDriversSetup.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "TeamViewer",
        .Category = scInternetNetwork,
        .Installed = {{"TeamViewer 11", "TeamViewer 11", "11.0.66695", "", ""}},
        .CurrentVersion = "11.0.66695",
        .AvailableVersion = "13.0.5058.0",
        .DownloadURL = "https://download.teamviewer.com/download/TeamViewer_Setup.exe",
        .Size = static_cast<std::int64_t>(std::filesystem::file_size(
            SiteFixturePath("download.teamviewer.com/download/TeamViewer_Setup.exe"))),
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "VMware Player",
        .Category = scSystem,
        .Installed = {{"{6A2C5B27-1E4A-4E5F-9C8B-3B0F0E8A3D1C}", "VMware Player", "12.1.1", "",
                       ""}},
        .Prepare =
            [](TCatalogueEnvironment& aMachine) {
                ServeFormPosts(aMachine.Server(), "/my.vmware.com/web/vmware/free",
                               "p_p_resource_id",
                               SiteFixtureByValue("my.vmware.com/web/vmware/free"));
            },
        .CurrentVersion = "12.1.1",
        .AvailableVersion = "12.5.2",
        .DownloadURL = "https://download3.vmware.com/software/player/file/"
                       "VMware-player-12.5.2-4638234.exe?HashKey=9a2b7c4d10&params=%7B%"
                       "22sourcefilesize%22%3A%2273.28+MB%22%7D",
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
