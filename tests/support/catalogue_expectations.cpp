#include "support/catalogue_expectations.h"

#include <algorithm>

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

// The size of a site fixture that is served as it is (an installer whose version is read).
std::int64_t FixtureSize(std::string_view aHostAndPath) {
    return static_cast<std::int64_t>(SiteFixture(aHostAndPath).size());
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
        .Name = "Ad-Aware Antivirus",
        .Category = scSecurity,
        .AvailableVersion = "11.9.662.8718",
        .DownloadURL = "https://files.downloadnow.com/s/software/10/04/59/10/"
                       "Adaware_Installer.exe?token=1454700000_4f1c",
    });
    rows.push_back({
        .Name = "Adobe AIR",
        .Category = scInternetNetwork,
        .AvailableVersion = "21.0.0.198",
        .DownloadURL =
            "https://airdownload.adobe.com/air/win/download/latest/AdobeAIRInstaller.exe",
        .Size = FixtureSize("airdownload.adobe.com/air/win/download/latest/AdobeAIRInstaller.exe"),
    });
    rows.push_back({
        .Name = "Adobe Flash Player ActiveX",
        .Category = scInternetNetwork,
        .AvailableVersion = "21.0.0.197",
        .DownloadURL = "https://fpdownload.macromedia.com/get/flashplayer/pdc/21.0.0.197/"
                       "install_flash_player_ax.exe",
    });
    rows.push_back({
        .Name = "Adobe Flash Player NPAPI",
        .Category = scInternetNetwork,
        .Installed = {{"Flash", "Adobe Flash Player 20 NPAPI", "20.0.0.306", "", ""}},
        .CurrentVersion = "20.0.0.306",
        .AvailableVersion = "21.0.0.213",
        .DownloadURL = "https://fpdownload.macromedia.com/get/flashplayer/pdc/21.0.0.213/"
                       "install_flash_player.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Adobe Flash Player PPAPI",
        .Category = scInternetNetwork,
        .AvailableVersion = "21.0.0.216",
        .DownloadURL = "https://fpdownload.macromedia.com/get/flashplayer/pdc/21.0.0.216/"
                       "install_flash_player_ppapi.exe",
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
        .Name = "Advanced IP Scanner",
        .Category = scInternetNetwork,
        .Installed = {{"AIPS", "Advanced IP Scanner 2.4", "2.4.3021", "", ""}},
        .CurrentVersion = "2.4.3021",
        .AvailableVersion = "2.4.3021",
        .DownloadURL = "https://download.advanced-ip-scanner.com/download/files/"
                       "Advanced_IP_Scanner_2.4.3021.exe",
        .List = TExpectedList::Actuals,
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
        .Name = "AVG",
        .Category = scSecurity,
        .Installed = {{"AVG", "AVG 2016", "16.71.7598", "", ""},
                      {"AVG PC TuneUp", "AVG PC TuneUp 2016", "16.82.2", "", ""}},
        .CurrentVersion = "16.71.7598",
        .AvailableVersion = "16.81.7640",
        .DownloadURL = "https://files.downloadnow.com/s/software/10/32/01/42/"
                       "avg_free_x86_all_2016_7640.exe?token=1454700000_7a1b",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Avira Free Antivirus",
        .Category = scSecurity,
        .AvailableVersion = "15.0.18.354",
        .DownloadURL = "https://install.avira-update.com/package/antivirus/win/en-us/"
                       "avira_antivirus_en-us.exe",
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
        .Name = "BS.Player FREE",
        .Category = scMultimedia,
        .AvailableVersion = "2.70.1080",
        .DownloadURL = "https://download5.bsplayer.com/download/file/mirror1/bsplayer270.setup.exe",
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
        .Name = "CDBurnerXP",
        .Category = scMultimedia,
        .AvailableVersion = "4.5.7.6321",
        .DownloadURL = "https://download.cdburnerxp.se/cdbxp_setup_4.5.7.6321.exe",
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
        .Name = "DAEMON Tools Lite",
        .Category = scSystem,
        .Installed = {{"DAEMON Tools Lite", "DAEMON Tools Lite", "10.3.0.0", "", ""}},
        .CurrentVersion = "10.3.0.0",
        .AvailableVersion = "10.4.0.0200",
        .DownloadURL = "https://www.daemon-tools.cc/download/DTLiteInstaller.exe",
        .List = TExpectedList::Updates,
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
        .Name = "Delphi IDE Colorizer",
        .Category = scDevelopment,
        .Installed = {{"Delphi IDE Colorizer_is1", "Delphi IDE Colorizer", "1.0.0.95", "", ""}},
        .CurrentVersion = "1.0.0.95",
        .AvailableVersion = "1.0.0.95",
        .DownloadURL = "https://github.com/RRUZ/Delphi-IDE-Colorizer/releases/download/v1.0.0.95/"
                       "DIC_Setup.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "Delphi IDE Theme Editor",
        .Category = scDevelopment,
        .Installed = {{"Delphi IDE Theme Editor_is1", "Delphi IDE Theme Editor", "1.1.18.0", "",
                       "C:\\Program Files (x86)\\The Road To Delphi\\Delphi IDE Theme Editor"}},
        .Prepare = ProgramFile(
            "Program Files (x86)/The Road To Delphi/Delphi IDE Theme Editor/DITE.exe", "1.1.19.0"),
        .CurrentVersion = "1.1.19.0",
        .AvailableVersion = "1.1.20.0",
        .DownloadURL = "https://github.com/RRUZ/delphi-ide-theme-editor/releases/download/v1.1.20/"
                       "DITE_Setup.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Double Commander",
        .Category = scSystem,
        .Installed = {{"Double Commander_is1", "Double Commander 0.7.4 beta (x64)", "", "",
                       "C:\\Program Files\\Double Commander"}},
        .CurrentVersion = "0.7.4",
        .AvailableVersion = "0.7.5",
        .DownloadURL = "https://downloads.sourceforge.net/project/doublecmd/"
                       "Double%20Commander%20Windows%2064%20bit/Double%20Commander%200.7.5%20beta/"
                       "doublecmd-0.7.5.x86_64-win64.exe",
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
        .Name = "EaseUS Partition Master",
        .Category = scSystem,
        .Installed = {{"EaseUS Partition Master 11.5_is1",
                       "EaseUS Partition Master 11.5 Free Edition", "", "",
                       "C:\\Program Files\\EaseUS\\EaseUS Partition Master 11.5"}},
        .Prepare = ProgramFile("Program Files/EaseUS/EaseUS Partition Master 11.5/bin/Main.exe",
                               "11.5.0.0"),
        .CurrentVersion = "11.5.0.0",
        .AvailableVersion = "11.8",
        .DownloadURL = "https://download.easeus.com/free/epm.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Dernholt",
        .Category = scInternetNetwork,
        .AvailableVersion = "2.4.1",
        .DownloadURL = "https://update.brivane.app/download/dernholt/dernholt-setup-2.4.1.exe",
    });
    rows.push_back({
        .Name = "Eraser",
        .Category = scSecurity,
        .Installed = {{"{A1B2C3D4-6F8E-4C3A-9E2B-5D7C1A0B2E3F}", "Eraser 6.2.0.2970", "6.2.2970",
                       "", ""}},
        .CurrentVersion = "6.2.0.2970",
        .AvailableVersion = "6.2.0.2982",
        .DownloadURL = "https://downloads.sourceforge.net/project/eraser/Eraser%206/6.2/"
                       "Eraser%206.2.0.2982.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "ESET NOD32 Antivirus",
        .Category = scSecurity,
        .Installed = {{"{8A2B0E7C-1C0F-4B5E-9D3A-6E4F2A1B0C9D}", "ESET NOD32 Antivirus",
                       "9.0.381.0", "", ""}},
        .CurrentVersion = "9.0.381.0",
        .AvailableVersion = "9.0.381.0",
        .DownloadURL = "https://download.eset.com/com/eset/apps/home/eav/windows/v9/9.0.381.0/"
                       "eav_nt64_enu.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "ESET Smart Security",
        .Category = scSecurity,
        .AvailableVersion = "9.0.381.0",
        .DownloadURL = "https://download.eset.com/com/eset/apps/home/ess/windows/v9/9.0.381.0/"
                       "ess_nt64_enu.exe",
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
        .Name = "Far Manager",
        .Category = scSystem,
        .Installed = {{"Far", "Far Manager 3 x64", "3.0.4774", "", ""}},
        .CurrentVersion = "3.0.4774",
        .AvailableVersion = "3.0.4774",
        .DownloadURL = "https://www.farmanager.com/files/Far30b4774.x64.20160902.msi",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "FastStone Image Viewer",
        .Category = scGraphics,
        .Installed = {{"FastStone Image Viewer", "FastStone Image Viewer 5.8", "5.8", "", ""}},
        .CurrentVersion = "5.8",
        .AvailableVersion = "5.9",
        .DownloadURL = "https://www.faststonesoft.net/DN/FSViewerSetup59.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Fiddler",
        .Category = scDevelopment,
        .AvailableVersion = "4.6.2.3",
        .DownloadURL = "https://www.telerik.com/docs/default-source/fiddler/fiddlersetup.exe",
    });
    rows.push_back({
        .Name = "FileHippo App Manager",
        .Category = scSystem,
        .Installed = {{"FileHippo.com", "FileHippo App Manager", "2.0 beta 4", "", "",
                       "\"C:\\Program Files (x86)\\FileHippo.com\\uninst.exe\""}},
        .Prepare =
            ProgramFile("Program Files (x86)/FileHippo.com/FileHippo.AppManager.exe", "2.0.0.1480"),
        .CurrentVersion = "2.0.0.1480",
        .AvailableVersion = "2.0.0.1480",
        .DownloadURL = "https://download.filehippo.com/AppManager/FileHippo.AppManager.Setup.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "FileZilla Client",
        .Category = scInternetNetwork,
        .Installed = {{"FileZilla Client", "FileZilla Client 3.17.0.1", "3.17.0.1", "", ""}},
        .CurrentVersion = "3.17.0.1",
        .AvailableVersion = "3.18.0",
        .DownloadURL =
            "https://download.filezilla-project.org/client/FileZilla_3.18.0_win64-setup.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "FileZilla Server",
        .Category = scInternetNetwork,
        .Installed = {{"FileZilla Server", "FileZilla Server", "beta 0.9.57", "", ""}},
        .CurrentVersion = "0.9.57",
        .AvailableVersion = "0.9.57",
        .DownloadURL = "https://download.filezilla-project.org/server/FileZilla_Server-0_9_57.exe",
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
        .Name = "foobar2000",
        .Category = scMultimedia,
        .Installed = {{"foobar2000", "foobar2000 v1.3.9", "1.3.9", "", ""}},
        .CurrentVersion = "1.3.9",
        .AvailableVersion = "1.3.10",
        .DownloadURL = "https://www.foobar2000.org/files/foobar2000_v1.3.10.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "FotoSketcher",
        .Category = scGraphics,
        .Installed = {{"FotoSketcher", "FotoSketcher 3.10", "", "", ""}},
        .CurrentVersion = "3.10",
        .AvailableVersion = "3.20",
        .DownloadURL = "https://fotosketcher.com/FotoSketcher-3.20-setup.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Foxit Reader",
        .Category = scOffice,
        .AvailableVersion = "8.0.2.805",
        .DownloadURL = "https://cdn01.foxitsoftware.com/pub/foxit/reader/desktop/win/8.x/8.0/en_us/"
                       "FoxitReader802_enu_Setup.exe",
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
        .Name = "GIMP",
        .Category = scGraphics,
        .Installed = {{"GIMP-2_is1", "GIMP 2.8.14", "2.8.14", "", ""}},
        .CurrentVersion = "2.8.14",
        .AvailableVersion = "2.8.16",
        .DownloadURL =
            "https://download.gimp.org/mirror/pub/gimp/v2.8/windows/gimp-2.8.16-setup.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Git",
        .Category = scDevelopment,
        .Installed = {{"Git_is1", "Git version 2.9.0", "2.9.0", "", ""}},
        .CurrentVersion = "2.9.0",
        .AvailableVersion = "2.9.0",
        .DownloadURL = "https://github.com/git-for-windows/git/releases/download/v2.9.0.windows.1/"
                       "Git-2.9.0-64-bit.exe",
        .List = TExpectedList::Actuals,
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
        .Name = "GOM Player",
        .Category = scMultimedia,
        .Installed = {{"GOM Player", "GOM Player", "2.2.80.5251", "", ""}},
        .CurrentVersion = "2.2.80.5251",
        .AvailableVersion = "2.3.3.5262",
        .DownloadURL = "https://files.downloadnow.com/s/software/10/55/17/86/"
                       "GOMPLAYERGLOBALSETUP_NEW.exe?token=1454700000_3c9d",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "HxD Hex Editor",
        .Category = scDevelopment,
        .Installed = {{"HxD Hex Editor_is1", "HxD Hex Editor 1.7.7.0", "1.7.7.0", "", ""}},
        .CurrentVersion = "1.7.7.0",
        .AvailableVersion = "1.7.7.0",
        .DownloadURL = "https://mh-nexus.de/downloads/HxDSetupEN.zip",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "ICQ",
        .Category = scInternetNetwork,
        .AvailableVersion = "10.0.12010.0",
        .DownloadURL = "https://mra.mail.ru/icq_win10/icqsetup.exe",
        .Size = FixtureSize("mra.mail.ru/icq_win10/icqsetup.exe"),
    });
    rows.push_back({
        .Name = "Inkscape",
        .Category = scGraphics,
        .Installed = {{"Inkscape", "Inkscape 0.48.5", "0.48.5", "", ""}},
        .CurrentVersion = "0.48.5",
        .AvailableVersion = "0.91",
        .DownloadURL = "https://inkscape.org/en/gallery/item/3956/inkscape-0.91-x64.msi",
        .List = TExpectedList::Updates,
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
        .Name = "Inno Setup",
        .Category = scDevelopment,
        .Installed = {{"Inno Setup 5_is1", "Inno Setup version 5.5.8", "5.5.8", "", ""}},
        .CurrentVersion = "5.5.8",
        .AvailableVersion = "5.5.9",
        .DownloadURL = "https://www.jrsoftware.org/download.php/is-unicode.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "IObit Advanced SystemCare",
        .Category = scSystem,
        // The same release by the first two components.
        .Installed = {{"ASC", "Advanced SystemCare 9", "9.2.0.1000", "", ""}},
        .CurrentVersion = "9.2.0.1000",
        .AvailableVersion = "9.2.0.1110",
        .DownloadURL = "https://update.iobit.com/dl/advanced-systemcare-setup.exe",
        .Size = FixtureSize("update.iobit.com/dl/advanced-systemcare-setup.exe"),
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "IObit Malware Fighter",
        .Category = scSecurity,
        .Installed = {{"IMF", "IObit Malware Fighter 3", "3.4.0.15", "", ""}},
        .CurrentVersion = "3.4.0.15",
        .AvailableVersion = "4.2.0.2855",
        .DownloadURL = "https://update.iobit.com/dl/iobit-malware-fighter-setup.exe",
        .Size = FixtureSize("update.iobit.com/dl/iobit-malware-fighter-setup.exe"),
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "IObit Smart Defrag",
        .Category = scSystem,
        .AvailableVersion = "5.1.0.1024",
        .DownloadURL = "https://update.iobit.com/dl/smart-defrag-setup.exe",
        .Size = FixtureSize("update.iobit.com/dl/smart-defrag-setup.exe"),
    });
    rows.push_back({
        .Name = "IP-TV Player",
        .Category = scMultimedia,
        .Installed = {{"IP-TV Player", "IP-TV Player", "49.1", "", ""}},
        .CurrentVersion = "49.1",
        .AvailableVersion = "49.2",
        .DownloadURL = "https://borpas.info/download/IpTvPlayer-setup.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "IrfanView",
        .Category = scGraphics,
        .Installed = {{"IrfanView64", "IrfanView 4.40 (64-bit)", "4.40", "",
                       "C:\\Program Files\\IrfanView"}},
        .CurrentVersion = "4.40",
        .AvailableVersion = "4.42",
        .DownloadURL = "https://files.downloadnow.com/s/software/15/45/34/96/"
                       "iview441_x64_setup.exe?token=1454700000_77ab",
        .List = TExpectedList::Updates,
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
        .Name = "K-Lite Basic",
        .Category = scMultimedia,
        .Installed = {{"KLCP", "K-Lite Codec Pack 11.8.0 Basic", "11.8.0", "", ""}},
        .CurrentVersion = "11.8.0",
        .AvailableVersion = "12.0.5",
        .DownloadURL = "https://files.betanews.com/sites/default/files/downloads/"
                       "K-Lite_Codec_Pack_1205_Basic.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "K-Lite Full",
        .Category = scMultimedia,
        .AvailableVersion = "12.0.5",
        .DownloadURL = "https://files.betanews.com/sites/default/files/downloads/"
                       "K-Lite_Codec_Pack_1205_Full.exe",
    });
    rows.push_back({
        .Name = "K-Lite Mega",
        .Category = scMultimedia,
        .AvailableVersion = "12.0.5",
        .DownloadURL = "https://files.betanews.com/sites/default/files/downloads/"
                       "K-Lite_Codec_Pack_1205_Mega.exe",
    });
    rows.push_back({
        .Name = "K-Lite Standard",
        .Category = scMultimedia,
        .AvailableVersion = "12.0.5",
        .DownloadURL = "https://files.betanews.com/sites/default/files/downloads/"
                       "K-Lite_Codec_Pack_1205_Standard.exe",
    });
    rows.push_back({
        .Name = "Kodi",
        .Category = scMultimedia,
        .Installed = {{"Kodi", "Kodi", "16.0", "", "C:\\Program Files (x86)\\Kodi"}},
        .Prepare = ProgramFile("Program Files (x86)/Kodi/Kodi.exe", "16.1.0.0"),
        .CurrentVersion = "16.1.0.0",
        .AvailableVersion = "16.1",
        .DownloadURL = "https://mirrors.kodi.tv/releases/windows/win32/kodi-16.1-Jarvis.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "LibreOffice",
        .Category = scOffice,
        .Installed = {{"{A1B2}", "LibreOffice 4.4.7.2", "4.4.7.2", "", ""},
                      {"{C3D4}", "LibreOffice 5.1.4.2", "", "", ""}},
        .CurrentVersion = "5.1.4.2",
        .AvailableVersion = "5.2.0",
        .DownloadURL = "https://download.documentfoundation.org/libreoffice/stable/5.2.0/win/x86/"
                       "LibreOffice_5.2.0_Win_x86.msi",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Light Alloy",
        .Category = scMultimedia,
        .AvailableVersion = "4.9.1",
        .DownloadURL = "https://www.light-alloy.ru/files/LA_Full_Setup_v4.9.1.exe",
    });
    rows.push_back({
        .Name = "Media Player Classic",
        .Category = scMultimedia,
        .AvailableVersion = "1.7.10",
        .DownloadURL = "https://binaries.mpc-hc.org/MPC%20HomeCinema%20-%20x64/MPC-HC_v1.7.10_x64/"
                       "MPC-HC.1.7.10.x64.exe",
    });
    rows.push_back({
        .Name = "Microsoft Security Essentials",
        .Category = scSecurity,
        .Installed = {{"Microsoft Security Client", "Microsoft Security Essentials", "4.10.209.0",
                       "", ""}},
        .CurrentVersion = "4.10.209.0",
        .AvailableVersion = "4.10.209.0",
        .DownloadURL = "https://download.microsoft.com/download/A/3/8/"
                       "A38FFBF2-1122-408B-9B2E-6E5F6C0F9A3A/ENUS/amd64/MSEInstall.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "MiniTool Partition Wizard",
        .Category = scSystem,
        .Installed = {{"PW9", "MiniTool Partition Wizard Free Edition 9.0", "", "",
                       "C:\\Program Files\\MiniTool Partition Wizard 9"}},
        .CurrentVersion = "9.0",
        .AvailableVersion = "9.1",
        .DownloadURL = "https://files.downloadnow.com/s/software/10/96/22/00/"
                       "pwfree91.exe?token=1454700000_c3d9",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Miranda IM",
        .Category = scInternetNetwork,
        .AvailableVersion = "0.10.24",
        .DownloadURL = "https://files.downloadnow.com/s/software/10/20/48/13/"
                       "miranda-im-v0.10.24-unicode.exe?token=1454700000_9a2e",
    });
    rows.push_back({
        .Name = "mIRC",
        .Category = scInternetNetwork,
        .AvailableVersion = "7.45",
        .DownloadURL = "https://www.mirc.com/get/mirc745.exe",
    });
    rows.push_back({
        .Name = "Nimbuzz",
        .Category = scInternetNetwork,
        .Installed = {{"Nimbuzz", "Nimbuzz 2.9.3", "2.9.3", "", ""}},
        .CurrentVersion = "2.9.3",
        .AvailableVersion = "2.9.3",
        .DownloadURL = "https://cdn.nimbuzz.com/download/pc/Nimbuzz-2.9.3-setup.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "Nokia Suite",
        .Category = scSystem,
        .AvailableVersion = "3.8.54",
        .DownloadURL = "https://nds1.nokia.com/files/support/global/phones/software/"
                       "Nokia_Suite_webinstaller_ALL.exe",
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
        .Name = "Nullsoft Install System",
        .Category = scDevelopment,
        .Installed = {{"NSIS", "Nullsoft Install System", "2.46", "", ""}},
        .CurrentVersion = "2.46",
        .AvailableVersion = "3.0",
        .DownloadURL = "https://prdownloads.sourceforge.net/nsis/nsis-3.0-setup.exe?download",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "OpenOffice.org",
        .Category = scOffice,
        .Installed = {{"{OOO411}", "OpenOffice 4.1.1", "4.1.1", "", ""}},
        .CurrentVersion = "4.1.1",
        .AvailableVersion = "4.1.2",
        .DownloadURL = "https://downloads.sourceforge.net/project/openofficeorg.mirror/4.1.2/"
                       "binaries/en-US/Apache_OpenOffice_4.1.2_Win_x86_install_en-US.exe",
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
        .Name = "Paint.NET",
        .Category = scGraphics,
        .Installed = {{"PDN", "Paint.NET v4.0.9", "", "", ""}},
        .CurrentVersion = "4.0.9",
        .AvailableVersion = "4.0.10",
        .DownloadURL = "https://www.dotpdn.com/files/paint.net.4.0.10.install.zip",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "PeaZip",
        .Category = scSystem,
        .Installed = {{"PeaZip_is1", "PeaZip 6.0.2 (WIN64)", "6.0.2", "",
                       "C:\\Program Files\\PeaZip\\"}},
        .CurrentVersion = "6.0.2",
        .AvailableVersion = "6.0.2",
        .DownloadURL = "https://sourceforge.net/projects/peazip/files/6.0.2/peazip-6.0.2.WIN64.exe",
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
        .Name = "Pidgin",
        .Category = scInternetNetwork,
        .AvailableVersion = "2.11.0",
        .DownloadURL =
            "https://sourceforge.net/projects/pidgin/files/Pidgin/2.11.0/pidgin-2.11.0-offline.exe",
    });
    rows.push_back({
        .Name = "Punto Switcher",
        .Category = scOffice,
        .Installed = {{"Punto Switcher", "Punto Switcher 4.2.6", "4.2.6.1064", "", ""}},
        .CurrentVersion = "4.2.6.1064",
        .AvailableVersion = "4.2.7",
        .DownloadURL = "https://download.cdn.yandex.net/punto/PuntoSwitcherSetup.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "PuTTY",
        .Category = scInternetNetwork,
        .Installed = {{"{PUTTY066}", "PuTTY release 0.66", "0.66", "", ""}},
        .CurrentVersion = "0.66",
        .AvailableVersion = "0.67",
        .DownloadURL = "https://the.earth.li/~sgtatham/putty/latest/x86/putty-0.67-installer.msi",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "qBittorrent",
        .Category = scInternetNetwork,
        .AvailableVersion = "3.3.5",
        .DownloadURL = "https://downloads.sourceforge.net/project/qbittorrent/qbittorrent-win32/"
                       "qbittorrent-3.3.5/qbittorrent_3.3.5_setup.exe",
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
        .Name = "RaidCall",
        .Category = scInternetNetwork,
        .Installed = {{"RaidCall", "RaidCall", "7.3.6-1.0.11480-12.15.1.111", "",
                       "C:\\Program Files (x86)\\RaidCall.com\\RaidCall"}},
        .CurrentVersion = "7.3.6",
        .AvailableVersion = "7.3.6",
        .DownloadURL = "https://www.raidcall.com/dl/RaidCall_setup.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "Rainmeter",
        .Category = scSystem,
        .Installed = {{"Rainmeter", "Rainmeter", "3.3.2 r2609", "", ""}},
        .CurrentVersion = "3.3.2",
        .AvailableVersion = "3.3.2",
        .DownloadURL = "https://github.com/rainmeter/rainmeter/releases/download/v3.3.2.2609/"
                       "Rainmeter-3.3.2.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "Recuva",
        .Category = scSystem,
        .AvailableVersion = "1.53.0.1087",
        .DownloadURL = "https://download.ccleaner.com/rcsetup153.exe",
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
        .Name = "RocketDock",
        .Category = scSystem,
        .Installed = {{"RocketDock_is1", "RocketDock 1.3.5", "", "", ""}},
        .CurrentVersion = "1.3.5",
        .AvailableVersion = "1.3.5",
        .DownloadURL = "https://rocketdock.com/files/RocketDock-v1.3.5.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "Ruby",
        .Category = scDevelopment,
        .Installed = {{"{RUBY224}", "Ruby 2.2.4-p230-x64", "", "", ""}},
        .CurrentVersion = "2.2.4",
        .AvailableVersion = "2.3.1",
        .DownloadURL = "https://dl.bintray.com/oneclick/rubyinstaller/rubyinstaller-2.3.1-x64.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Sandboxie",
        .Category = scSystem,
        .Installed = {{"Sandboxie", "Sandboxie 5.09 (64-bit)", "5.09", "", ""}},
        .CurrentVersion = "5.09",
        .AvailableVersion = "5.10",
        .DownloadURL = "https://www.sandboxie.com/SandboxieInstall.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Skype",
        .Category = scInternetNetwork,
        .Installed = {{"Skype", "Skype\u2122 7.24", "7.24.104", "", "C:\\Program Files\\Skype"}},
        .Prepare = ProgramFile("Program Files/Skype/Phone/Skype.exe", "7.24.0.104"),
        .CurrentVersion = "7.24.0.104",
        .AvailableVersion = "7.24.0.104",
        .DownloadURL = "https://download.skype.com/SkypeSetupFull.exe",
        .Size = FixtureSize("download.skype.com/SkypeSetupFull.exe"),
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
        .Name = "SMPlayer",
        .Category = scMultimedia,
        .AvailableVersion = "16.6.0",
        .DownloadURL = "https://sourceforge.net/projects/smplayer/files/SMPlayer/16.6.0/"
                       "smplayer-16.6.0-x64.exe",
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
        .Name = "STDU Viewer",
        .Category = scOffice,
        .Installed = {{"STDU Viewer", "STDU Viewer version 1.6.375", "1.6.375", "", ""}},
        .CurrentVersion = "1.6.375",
        .AvailableVersion = "1.6.375",
        .DownloadURL = "https://www.stdutility.com/download/stduviewer_setup.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "Stellarium",
        .Category = scScienceEducation,
        .AvailableVersion = "0.15.0",
        .DownloadURL = "https://sourceforge.net/projects/stellarium/files/Stellarium-sources/"
                       "0.15.0/stellarium-0.15.0-win64.exe",
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
        .Name = "Subversion",
        .Category = scDevelopment,
        .Installed = {{"{F2F54C7F-49E6-4E7A-8C34-1E2E0E0C1A55}", "Slik Subversion 1.9.3 (x64)",
                       "1.9.3", "", ""}},
        .CurrentVersion = "1.9.3",
        .AvailableVersion = "1.9.4",
        .DownloadURL = "https://sliksvn.com/pub/Slik-Subversion-1.9.4-win32.msi",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "SumatraPDF",
        .Category = scOffice,
        .Installed = {{"SumatraPDF", "SumatraPDF", "3.1.1", "", ""}},
        .CurrentVersion = "3.1.1",
        .AvailableVersion = "3.1.2",
        .DownloadURL = "https://www.sumatrapdfreader.org/dl/SumatraPDF-3.1.2-install.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "SUPERAntiSpyware",
        .Category = scSecurity,
        .Installed = {{"{CDDCBBF1-2703-46BC-938B-BCC81A1EEAAA}", "SUPERAntiSpyware", "6.0.1236", "",
                       ""}},
        .CurrentVersion = "6.0.1236",
        .AvailableVersion = "6.0.1236",
        .DownloadURL = "https://www.superantispyware.com/sas/SUPERAntiSpyware.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "System Explorer",
        .Category = scSystem,
        .Installed = {{"System Explorer", "System Explorer 6.4.3", "", "",
                       "C:\\Program Files (x86)\\System Explorer"}},
        .CurrentVersion = "6.4.3",
        .AvailableVersion = "7.0.0.5356",
        .DownloadURL = "https://systemexplorer.net/download/SystemExplorerSetup.exe",
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
        .Name = "TeraCopy",
        .Category = scSystem,
        .Installed = {{"TeraCopy_is1", "TeraCopy 2.3", "", "", "C:\\Program Files\\TeraCopy\\"}},
        .CurrentVersion = "2.3",
        .AvailableVersion = "3.0",
        .DownloadURL = "https://www.codesector.com/files/teracopy.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "The KMPlayer",
        .Category = scMultimedia,
        .Installed = {{"The KMPlayer", "The KMPlayer", "4.0", "", "",
                       "\"C:\\Program Files (x86)\\The KMPlayer\\uninstall.exe\""}},
        .Prepare = ProgramFile("Program Files (x86)/The KMPlayer/KMPlayer.exe", "4.1.1.5"),
        .CurrentVersion = "4.1.1.5",
        .AvailableVersion = "4.1.1.5",
        .DownloadURL = "https://cdn.kmplayer.com/KMP/Download/KMPlayer_4.1.1.5.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "ThinLinc Client",
        .Category = scInternetNetwork,
        .Installed = {{"{2C4C5D1A-0B5B-4C36-9B2F-6A2F2B8E0C11}", "ThinLinc Client 4.6.0", "", "",
                       ""}},
        .CurrentVersion = "4.6.0",
        .AvailableVersion = "4.7.0",
        .DownloadURL = "https://www.cendio.com/downloads/clients/tl-4.7.0-client-windows.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Thunderbird",
        .Category = scInternetNetwork,
        .Installed = {{"Mozilla Thunderbird 45.2.0 (x86 en-US)",
                       "Mozilla Thunderbird 45.2.0 (x86 en-US)", "45.2.0", "", ""}},
        .CurrentVersion = "45.2.0",
        .AvailableVersion = "45.4.0",
        .DownloadURL =
            "https://download.mozilla.org/?product=thunderbird-45.4.0-SSL&os=win&lang=en-US",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "TortoiseSVN",
        .Category = scDevelopment,
        .Installed = {{"{A9F2B1C4-5E21-4C8B-9A13-0F2C7D0B8E41}", "TortoiseSVN 1.9.4.27285 (64 bit)",
                       "", "", ""}},
        .CurrentVersion = "1.9.4.27285",
        .AvailableVersion = "1.9.4.27285",
        .DownloadURL = "https://osdn.net/projects/tortoisesvn/storage/1.9.4/Application/"
                       "TortoiseSVN-1.9.4.27285-x64-svn-1.9.4.msi",
        .List = TExpectedList::Actuals,
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
        .Name = "Unlocker",
        .Category = scSystem,
        .Installed = {{"Unlocker", "Unlocker 1.9.1", "1.9.1", "", ""}},
        .CurrentVersion = "1.9.1",
        .AvailableVersion = "1.9.2",
        .DownloadURL = "https://www.emptyloop.com/unlocker/downloads/unlocker1.9.2.exe",
        .List = TExpectedList::Updates,
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
        .Name = "VeraCrypt",
        .Category = scSecurity,
        .Installed = {{"VeraCrypt", "VeraCrypt", "1.18", "", ""}},
        .CurrentVersion = "1.18",
        .AvailableVersion = "1.19",
        .DownloadURL =
            "https://launchpad.net/veracrypt/trunk/1.19/+download/VeraCrypt%20Setup%201.19.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Viber",
        .Category = scInternetNetwork,
        .Installed = {{"Viber", "Viber", "6.0", "", "C:\\Program Files\\Viber"}},
        .Prepare = ProgramFile("Program Files/Viber/Viber.exe", "5.9.0.1"),
        .CurrentVersion = "5.9.0.1",
        .AvailableVersion = "6.0.1.5",
        .DownloadURL = "https://download.cdn.viber.com/desktop/windows/ViberSetup.exe",
        .Size = FixtureSize("download.cdn.viber.com/desktop/windows/ViberSetup.exe"),
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "VirtualBox",
        .Category = scSystem,
        .Installed = {{"{2E4A9B0C-6D7F-4E1A-8B3C-5D6E7F8A9B0C}", "Oracle VM VirtualBox 5.1.6",
                       "5.1.6", "", ""}},
        .CurrentVersion = "5.1.6",
        .AvailableVersion = "5.1.8",
        .DownloadURL =
            "http://download.virtualbox.org/virtualbox/5.1.8/VirtualBox-5.1.8-111374-Win.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Vivaldi",
        .Category = scInternetNetwork,
        .AvailableVersion = "1.5.658.44",
        .DownloadURL = "https://downloads.vivaldi.com/stable/Vivaldi.1.5.658.44.x64.exe",
    });
    rows.push_back({
        .Name = "VKMusic",
        .Category = scInternetNetwork,
        .Installed = {{"VKMusic 4_is1", "VKMusic 4.73", "4.73", "", ""}},
        .CurrentVersion = "4.73",
        .AvailableVersion = "4.75",
        .DownloadURL = "https://vkmusic.citynov.ru/download/VKMusic_setup.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "VKPaint",
        .Category = scInternetNetwork,
        .AvailableVersion = "1.9.2",
        .DownloadURL = "https://vkpaint.ru/files/VKPaint_setup.exe",
    });
    rows.push_back({
        .Name = "VLC media player",
        .Category = scMultimedia,
        .Installed = {{"VLC media player", "VLC media player", "2.2.2", "", ""}},
        .CurrentVersion = "2.2.2",
        .AvailableVersion = "2.2.4",
        .DownloadURL = "https://get.videolan.org/vlc/2.2.4/win32/vlc-2.2.4-win32.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "VMware Player",
        .Category = scSystem,
        .Installed = {{"{6A2C5B27-1E4A-4E5F-9C8B-3B0F0E8A3D1C}", "VMware Player", "12.1.1", "",
                       ""}},
        .CurrentVersion = "12.1.1",
        .AvailableVersion = "12.5.2",
        .DownloadURL = "https://download3.vmware.com/software/player/file/"
                       "VMware-player-12.5.2-4638234.exe?HashKey=9a2b7c4d10&params=%7B%"
                       "22sourcefilesize%22%3A%2273.28+MB%22%7D",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Vuze",
        .Category = scInternetNetwork,
        .AvailableVersion = "5.7.4.0",
        .DownloadURL = "https://cf1.vuze.com/files/J7/VuzeBittorrentClientInstaller.exe",
    });
    rows.push_back({
        .Name = "WebMoney Keeper",
        .Category = scSystem,
        .Installed = {{"WebMoney Keeper Classic", "WebMoney Keeper Classic", "3.9.9.8", "", ""}},
        .CurrentVersion = "3.9.9.8",
        .AvailableVersion = "3.9.9.9",
        .DownloadURL = "https://download.webmoney.ru/wmk_classic_en.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "Winamp",
        .Category = scMultimedia,
        .Installed = {{"Winamp", "Winamp", "5.666", "", ""}},
        .CurrentVersion = "5.666",
        .AvailableVersion = "5.666",
        .DownloadURL = "https://download.nullsoft.com/winamp/client/winamp5666_full_all_redux.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "WinDjView",
        .Category = scOffice,
        .AvailableVersion = "2.1",
        .DownloadURL = "https://downloads.sourceforge.net/project/windjview/WinDjView/2.1/"
                       "WinDjView-2.1-Setup.exe",
    });
    rows.push_back({
        .Name = "WinMerge",
        .Category = scSystem,
        .Installed = {{"WinMerge_is1", "WinMerge 2.14.0", "2.14.0", "", ""}},
        .CurrentVersion = "2.14.0",
        .AvailableVersion = "2.14.0",
        .DownloadURL = "https://downloads.sourceforge.net/winmerge/WinMerge-2.14.0-Setup.exe",
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
    rows.push_back({
        .Name = "Wire",
        .Category = scInternetNetwork,
        .AvailableVersion = "2.11.2661",
        .DownloadURL = "https://wire-app.wire.com/win/prod/WireSetup.exe",
        .Size = FixtureSize("wire-app.wire.com/win/prod/WireSetup.exe"),
    });
    rows.push_back({
        .Name = "Wireshark",
        .Category = scDevelopment,
        .Installed = {{"Wireshark", "Wireshark 2.2.0 (64-bit)", "2.2.0", "", ""}},
        .CurrentVersion = "2.2.0",
        .AvailableVersion = "2.2.1",
        .DownloadURL = "https://1.na.dl.wireshark.org/win64/Wireshark-win64-2.2.1.exe",
        .List = TExpectedList::Updates,
    });
    rows.push_back({
        .Name = "XChat",
        .Category = scInternetNetwork,
        .Installed = {{"XChat", "XChat", "2.8.6", "", "",
                       "C:\\Program Files (x86)\\XChat\\uninst.exe"}},
        .Prepare = ProgramFile("Program Files (x86)/XChat/xchat.exe", "2.8.9.0"),
        .CurrentVersion = "2.8.9.0",
        .AvailableVersion = "2.8.9",
        .DownloadURL = "https://xchat.org/files/binary/win/xchat-2.8.9.exe",
        .List = TExpectedList::Actuals,
    });
    rows.push_back({
        .Name = "XnView",
        .Category = scGraphics,
        .Installed = {{"XnView_is1", "XnView 2.38", "2.38", "", "C:\\Program Files (x86)\\XnView"}},
        .CurrentVersion = "2.38",
        .AvailableVersion = "2.39",
        .DownloadURL = "https://download.xnview.com/XnView-win-full.exe",
        .List = TExpectedList::Updates,
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

bool OffersX64Installer(std::string_view aName) {
    static constexpr std::string_view kNames[] = {
        "7-Zip",
        "API Monitor",
        "BitComet",
        "Blender",
        "BOINC",
        "Calibre",
        "Combined Community Codec Pack",
        "Daum PotPlayer",
        "Double Commander",
        "ESET NOD32 Antivirus",
        "ESET Smart Security",
        "Far Manager",
        "FileZilla Client",
        "Git",
        "Inkscape",
        "IrfanView",
        "Media Player Classic",
        "Microsoft Security Essentials",
        "OpenVPN",
        "PeaZip",
        "Ruby",
        "SMPlayer",
        "Stellarium",
        "Sublime Text",
        "TortoiseSVN",
        "Vivaldi",
        "WinRAR",
        "Wireshark",
    };
    return std::find(std::begin(kNames), std::end(kNames), aName) != std::end(kNames);
}

bool InstallerFollowsLanguage(std::string_view aName) {
    static constexpr std::string_view kNames[] = {
        "Adobe Reader",         "ArtMoney SE",         "Avira Free Antivirus",
        "ESET NOD32 Antivirus", "ESET Smart Security", "Firefox",
        "GOM Player",           "HxD Hex Editor",      "Microsoft Security Essentials",
        "OpenOffice.org",       "NVIDIA PhysX",        "Thunderbird",
        "WebMoney Keeper",
    };
    return std::find(std::begin(kNames), std::end(kNames), aName) != std::end(kNames);
}

} // namespace brivane::test
