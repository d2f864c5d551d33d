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
        .Name = "AIMP",
        .Category = scMultimedia,
        .Installed = {{"AIMP4", "AIMP4", "v4.00", "", "C:\\Program Files\\AIMP\\"}},
        .CurrentVersion = "4.00",
        .AvailableVersion = "4.10.1827",
        .DownloadURL = "https://www.aimp.ru/files/windows/builds/aimp_4.10.1827.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Beyond Compare",
        .Category = scDevelopment,
        .Installed = {{"BeyondCompare4_is1", "Beyond Compare 4.1.9", "4.1.9.21719", "", ""}},
        .CurrentVersion = "4.1.9",
        .AvailableVersion = "4.1.9",
        .DownloadURL = "https://www.scootersoftware.com/files/BCompare-4.1.9.21719.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "BurnAware Free",
        .Category = scSystem,
        .Installed = {{"BurnAware Free_is1", "BurnAware Free 9.4", "", "", ""}},
        .CurrentVersion = "9.4",
        .AvailableVersion = "9.5",
        .DownloadURL = "https://www.burnaware.com/downloads/burnaware_free_9.5.exe",
        .List = TExpectedList::Updates,
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
        .Name = "CDBurnerXP",
        .Category = scMultimedia,
        .AvailableVersion = "4.5.7.6321",
        .DownloadURL = "https://download.cdburnerxp.se/cdbxp_setup_4.5.7.6321.exe",
    });
    rows.push_back({
        .Name = "Daum PotPlayer",
        .Category = scMultimedia,
        .Installed = {{"PotPlayer64", "Potplayer-64 Bits", "",
                       "C:\\Program Files\\DAUM\\PotPlayer\\PotPlayerMini64.exe", "",
                       "C:\\Program Files\\DAUM\\PotPlayer\\uninstall.exe"}},
        .Prepare =
            [](TCatalogueEnvironment& aMachine) {
                aMachine.WriteDriveFile("Program Files/DAUM/PotPlayer/History.txt",
                                        "[1.6.62377] 2016/07/21\r\n+ Added ...\r\n\r\n"
                                        "[1.6.60136] 2016/05/31\r\n");
            },
        .CurrentVersion = "1.6.62377",
        .AvailableVersion = "1.6.62949",
        .DownloadURL =
            "https://t1.daumcdn.net/potplayer/PotPlayer/Version/Latest/PotPlayerSetup64.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Download Master",
        .Category = scInternetNetwork,
        .Installed = {{"Download Master_is1", "Download Master 6.10.1.1519", "6.10.1.1519", "",
                       ""}},
        .CurrentVersion = "6.10.1.1519",
        .AvailableVersion = "6.10.1.1519",
        .DownloadURL = "https://westbyte.com/dm/dmaster.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "Dernholt",
        .Category = scInternetNetwork,
        .AvailableVersion = "2.4.1",
        .DownloadURL = "https://update.brivane.app/download/dernholt/dernholt-setup-2.4.1.exe",
    });
    rows.push_back({
        .Name = "foobar2000",
        .Category = scMultimedia,
        .Installed = {{"foobar2000", "foobar2000 v1.3.9", "1.3.9", "", ""}},
        .CurrentVersion = "1.3.9",
        .AvailableVersion = "1.3.10",
        .DownloadURL = "https://www.foobar2000.org/files/foobar2000_v1.3.10.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Freemake Audio Converter",
        .Category = scMultimedia,
        .Installed = {{"Freemake Audio Converter_is1", "Freemake Audio Converter 1.1.8", "1.1.8",
                       "", "C:\\Program Files (x86)\\Freemake\\"}},
        .Prepare = ProgramFile(
            "Program Files (x86)/Freemake/Freemake Audio Converter/FreemakeAC.exe", "1.1.8.14"),
        .CurrentVersion = "1.1.8.14",
        .AvailableVersion = "1.1.8.14",
        .DownloadURL = "https://files.freemake.com/bin/FreemakeAudioConverterFull.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "Freemake Music Box",
        .Category = scMultimedia,
        .AvailableVersion = "1.0.2.8",
        .DownloadURL = "https://files.freemake.com/bin/FreemakeMusicBoxFull.exe",
    });
    rows.push_back({
        .Name = "Freemake Video Converter",
        .Category = scMultimedia,
        .Installed = {{"Freemake Video Converter_is1", "Freemake Video Converter 4.1.9", "4.1.9.30",
                       "", "C:\\Program Files (x86)\\Freemake\\"}},
        .CurrentVersion = "4.1.9.30",
        .AvailableVersion = "4.1.9.44",
        .DownloadURL = "https://files.freemake.com/bin/FreemakeVideoConverterFull.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Freemake Video Downloader",
        .Category = scMultimedia,
        .AvailableVersion = "3.7.6.2",
        .DownloadURL = "https://files.freemake.com/bin/FreemakeVideoDownloaderFull.exe",
    });
    rows.push_back({
        .Name = "Freemake YouTube To MP3 Boom",
        .Category = scMultimedia,
        .AvailableVersion = "1.1.2.3",
        .DownloadURL = "https://files.freemake.com/bin/FreemakeYouTubeToMP3BoomFull.exe",
    });
    rows.push_back({
        .Name = "Java",
        .Category = scInternetNetwork,
        .Installed = {{"{26A24AE4-039D-4CA4-87B4-2F83218091F0}", "Java 8 Update 91", "8.0.910", "",
                       ""},
                      {"{26A24AE4-039D-4CA4-87B4-2F64180101F0}", "Java 8 Update 101 (64-bit)",
                       "8.0.1010", "", ""}},
        .CurrentVersion = "8.0.910",
        .AvailableVersion = "8.0.1010",
        .DownloadURL = "https://javadl.oracle.com/webapps/download/AutoDL?BundleId=211999",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Java x64",
        .Category = scInternetNetwork,
        .Installed = {{"{26A24AE4-039D-4CA4-87B4-2F83218091F0}", "Java 8 Update 91", "8.0.910", "",
                       ""},
                      {"{26A24AE4-039D-4CA4-87B4-2F64180101F0}", "Java 8 Update 101 (64-bit)",
                       "8.0.1010", "", ""}},
        .CurrentVersion = "8.0.1010",
        .AvailableVersion = "8.0.1010",
        .DownloadURL = "https://javadl.oracle.com/webapps/download/AutoDL?BundleId=212001",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "KC Softwares SUMo",
        .Category = scSystem,
        .Installed = {{"KC Softwares SUMo", "KC Softwares SUMo", "4.3.0.300", "",
                       "C:\\Program Files (x86)\\KC Softwares\\SUMo\\"}},
        .Prepare = ProgramFile("Program Files (x86)/KC Softwares/SUMo/SUMo.exe", "4.3.4.317"),
        .CurrentVersion = "4.3.4.317",
        .AvailableVersion = "4.3.4.317",
        .DownloadURL = "https://www.kcsoftwares.com/files/sumo_lite.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "KeePas",
        .Category = scSystem,
        .Installed = {{"KeePassPasswordSafe2_is1", "KeePass Password Safe 2.33", "2.33", "", "",
                       "\"C:\\Program Files (x86)\\KeePass Password Safe 2\\unins000.exe\""}},
        .CurrentVersion = "2.33",
        .AvailableVersion = "2.34",
        .DownloadURL = "https://sourceforge.net/projects/keepass/files/KeePass%202.x/2.34/"
                       "KeePass-2.34-Setup.exe/download",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Notepad++",
        .Category = scOffice,
        .Installed = {{"Notepad++", "Notepad++", "7.0", "", "",
                       "C:\\Program Files (x86)\\Notepad++\\uninstall.exe"}},
        .Prepare = ProgramFile("Program Files (x86)/Notepad++/notepad++.exe", "7.1"),
        .CurrentVersion = "7.1.0.0",
        .AvailableVersion = "7.1",
        .DownloadURL = "https://notepad-plus-plus.org/repository/7.x/7.1/npp.7.1.Installer.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "NVIDIA PhysX",
        .Category = scSystem,
        .Installed = {{"PhysX Legacy", "NVIDIA PhysX System Software Legacy", "9.13.0604", "", ""},
                      {"PhysX", "NVIDIA PhysX System Software 9.15.0428", "9.15.0428", "", ""}},
        .CurrentVersion = "9.15.0428",
        .AvailableVersion = "9.16.0318",
        .DownloadURL = "https://us.download.nvidia.com/Windows/9.16.0318/"
                       "PhysX-9.16.0318-SystemSoftware.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Picasa",
        .Category = scGraphics,
        .AvailableVersion = "3.9.141",
        .DownloadURL = "https://dl.google.com/picasa/picasa39-setup.exe",
    });
    rows.push_back({
        .Name = "QIP 2012",
        .Category = scInternetNetwork,
        .Installed = {{"QIP 2012", "QIP 2012 4.0.9379", "", "", ""}},
        .CurrentVersion = "4.0.9379",
        .AvailableVersion = "4.0.9380",
        .DownloadURL = "https://files.qip.ru/qip2012/qip_2012_4.0.9380.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Remote Utilities Viewer",
        .Category = scInternetNetwork,
        .Installed = {{"{6F2E2B22-4A7F-4B0B-8C1A-9B3D3E1A2F01}", "Remote Utilities - Viewer",
                       "6.5.0.6", "", ""}},
        .CurrentVersion = "6.5.0.6",
        .AvailableVersion = "6.5.0.6",
        .DownloadURL = "https://www.remoteutilities.com/download/files/viewer6.5.0.6.msi",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "Sublime Text",
        .Category = scOffice,
        .License = slShareware,
        .Installed = {{"Sublime Text 3_is1", "Sublime Text Build 3114", "", "", ""}},
        .CurrentVersion = "3114",
        .AvailableVersion = "3126",
        .DownloadURL =
            "https://download.sublimetext.com/Sublime%20Text%20Build%203126%20x64%20Setup.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Total Commander",
        .Category = scSystem,
        .License = slShareware,
        .Installed = {{"Totalcmd64", "Total Commander 64-bit (Remove or Repair)", "9.0a", "", ""}},
        .CurrentVersion = "9.0",
        .AvailableVersion = "9.12",
        .DownloadURL = "https://totalcommander.ch/912/tcmd912x32_64.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Trillian",
        .Category = scInternetNetwork,
        .Installed = {{"Trillian", "Trillian", "6.0",
                       "C:\\Program Files (x86)\\Trillian\\trillian.exe,0", ""}},
        .Prepare = ProgramFile("Program Files (x86)/Trillian/Trillian.exe", "6.0.0.9"),
        .CurrentVersion = "6.0.0.9",
        .AvailableVersion = "6.0.0.9",
        .DownloadURL = "https://cerulean.cachenetworks.com/trillian-v6.0.0.9.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "uTorrent",
        .Category = scInternetNetwork,
        .Installed = {{"uTorrent", "µTorrent", "3.4.7.42330", "", ""}},
        .CurrentVersion = "3.4.7.42330",
        .AvailableVersion = "3.4.7.42330",
        .DownloadURL = "https://download-hr.utorrent.com/track/stable/endpoint/utorrent/os/windows/"
                       "utorrent.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "WinRAR",
        .Category = scSystem,
        .License = slShareware,
        .Installed = {{"WinRAR archiver", "WinRAR 5.31 (64-bit)", "5.31.0", "", "",
                       "C:\\Program Files\\WinRAR\\uninstall.exe"}},
        .Prepare = ProgramFile("Program Files/WinRAR/WinRAR.exe", "5.40.0"),
        .CurrentVersion = "5.40.0.0",
        .AvailableVersion = "5.40",
        .DownloadURL = "https://www.rarlab.com/rar/winrar-x64-540.exe",
        .List = TExpectedList::Actuals,
    });
    return rows;
}

} // namespace

std::span<const TEntryExpectation> CatalogueExpectations() {
    static const std::vector<TEntryExpectation> rows = MakeExpectations();
    return rows;
}

} // namespace brivane::test
