// SpeedFan: version and installer are read from the publisher's download page,
// which names the release in a heading ("SpeedFan 4.52") and links the installer by
// a path on the site. The publisher serves the installer only to visitors coming
// from that page, so a link made absolute here is downloaded with the page as
// Referer. Its installer records no install location: the program sits beside its
// uninstaller.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.almico.com";
constexpr const char* kDownloadPage = "https://www.almico.com/sfdownload.php";
constexpr const char* kExecutable = "speedfan.exe";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TSpeedFan final : public TBaseSoftware {
public:
    TSpeedFan() : TBaseSoftware("SpeedFan", scSystem) {}

protected:
    // "SpeedFan (remove only)"
    void FindApplication() override {
        static const auto name = NewRegex("^SpeedFan\\b");
        FindFirstApplication(*name);
    }

    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::UninstallFolder, kExecutable);
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::UninstallFolder, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(">\\s*?SpeedFan\\s+?([\\d.]+)\\s*?<", kHtml);
        static const auto link =
            NewRegex("<a\\s[^<>]*?href=\"([^<>]+?\\.exe)\"[^<>]*?>\\s*?Download", kHtml);

        const TRegexSubject page(GetPageText(kDownloadPage));
        aParams.AvailableVersion = VersionIn(*version, page);
        const auto installer = FirstGroup(*link, page);
        if (!installer) {
            return;
        }
        aParams.DownloadURL = AbsoluteLink(kSite, *installer);
        if (aParams.DownloadURL != *installer) {
            aParams.DownloadReferer = kDownloadPage;
        }
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeSpeedFan() {
    return std::make_unique<TSpeedFan>();
}

} // namespace brivane::programs
