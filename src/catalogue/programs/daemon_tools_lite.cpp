// DAEMON Tools Lite: version, release date and installer are read from the
// program's download page, which lists "Version:" and "Date:" ("March 22, 2016"),
// each label in a tag of its own, and a "Download" button linking the installer.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.daemon-tools.cc";
constexpr const char* kDownloadPage = "https://www.daemon-tools.cc/download/daemon";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoSingleLine};

class TDaemonToolsLite final : public TBaseSoftware {
public:
    TDaemonToolsLite() : TBaseSoftware("DAEMON Tools Lite", scSystem) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version =
            NewRegex(">\\s*?Version:(?:\\s*<[^<>]+?>\\s*)*?([\\d.]+)\\s*?<", kHtml);
        static const auto date =
            NewRegex(">\\s*?Date:(?:\\s*<[^<>]+?>\\s*)*?([^<>]+?)\\s*?<", kHtml);
        static const auto link =
            NewRegex("<a\\s[^<>]*?href=\"([^<>]+?\\.exe)\"[^<>]*?>\\s*?Download", kHtml);

        const TRegexSubject page(GetPageText(kDownloadPage));
        aParams.AvailableVersion = VersionIn(*version, page);
        // A month the page misspells raises: the check then finds nothing at all.
        if (const auto text = FirstGroup(*date, page)) {
            aParams.UpdateDate = ParseMonthDayYear(*text).value_or(kZeroDate);
        }
        if (const auto installer = FirstGroup(*link, page)) {
            aParams.DownloadURL = AbsoluteLink(kSite, *installer);
        }
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeDaemonToolsLite() {
    return std::make_unique<TDaemonToolsLite>();
}

} // namespace brivane::programs
