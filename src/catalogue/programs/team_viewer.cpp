// TeamViewer: the publisher offers one fixed link to its current installer and
// states the version nowhere else, so the version is read from the remote
// installer's version resource. Its builds differ in the fourth component, so only
// three count.

#include "catalogue/base_software.h"
#include "catalogue/remote_file_info.h"
#include "catalogue/short_version_software.h"

namespace brivane::programs {

namespace {

constexpr const char* kInstaller = "https://download.teamviewer.com/download/TeamViewer_Setup.exe";

class TTeamViewer final : public TShortVersionSoftware {
public:
    TTeamViewer() : TShortVersionSoftware("TeamViewer", scInternetNetwork, 3) {}

protected:
    // "TeamViewer" or, before version 12, "TeamViewer 11".
    void FindApplication() override {
        static const auto name =
            NewRegex("^TeamViewer(?:\\s+?\\d+)?$", {TRegCompileOption::rcoSingleLine});
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        aParams.DownloadURL = kInstaller;
        TRemoteFileInfo installer(kInstaller);
        installer.GetInfo(false, false);
        aParams.AvailableVersion = installer.FileVersionInfo().GetFileVersionText();
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeTeamViewer() {
    return std::make_unique<TTeamViewer>();
}

} // namespace brivane::programs
