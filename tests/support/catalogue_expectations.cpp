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
        .Name = "BS.Player FREE",
        .Category = scMultimedia,
        .AvailableVersion = "2.70.1080",
        .DownloadURL = "https://download5.bsplayer.com/download/file/mirror1/bsplayer270.setup.exe",
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
        .Name = "Dernholt",
        .Category = scInternetNetwork,
        .AvailableVersion = "2.4.1",
        .DownloadURL = "https://update.brivane.app/download/dernholt/dernholt-setup-2.4.1.exe",
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
        .Name = "ICQ",
        .Category = scInternetNetwork,
        .AvailableVersion = "10.0.12010.0",
        .DownloadURL = "https://mra.mail.ru/icq_win10/icqsetup.exe",
        .Size = FixtureSize("mra.mail.ru/icq_win10/icqsetup.exe"),
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
        .Name = "Media Player Classic",
        .Category = scMultimedia,
        .AvailableVersion = "1.7.10",
        .DownloadURL = "https://binaries.mpc-hc.org/MPC%20HomeCinema%20-%20x64/MPC-HC_v1.7.10_x64/"
                       "MPC-HC.1.7.10.x64.exe",
    });
    rows.push_back({
        .Name = "Miranda IM",
        .Category = scInternetNetwork,
        .AvailableVersion = "0.10.24",
        .DownloadURL = "https://files.downloadnow.com/s/software/10/20/48/13/"
                       "miranda-im-v0.10.24-unicode.exe?token=1454700000_9a2e",
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
        .Name = "Wire",
        .Category = scInternetNetwork,
        .AvailableVersion = "2.11.2661",
        .DownloadURL = "https://wire-app.wire.com/win/prod/WireSetup.exe",
        .Size = FixtureSize("wire-app.wire.com/win/prod/WireSetup.exe"),
    });
    return rows;
}

} // namespace

std::span<const TEntryExpectation> CatalogueExpectations() {
    static const std::vector<TEntryExpectation> rows = MakeExpectations();
    return rows;
}

} // namespace brivane::test
