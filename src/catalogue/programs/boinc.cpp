// BOINC: the list of all downloads links the current installers, whose file names
// carry the version and the architecture ("boinc_7.6.33_windows_x86_64.exe",
// "boinc_7.6.33_windows_intelx86.exe"); the recommended ones come first.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://boinc.berkeley.edu";
constexpr const char* kPage = "https://boinc.berkeley.edu/download_all.php";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TBOINC final : public TBaseSoftware {
public:
    TBOINC() : TBaseSoftware("BOINC", scScienceEducation) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto link64 =
            NewRegex("href=\"([^<>]+?boinc_([\\d.]+)_windows_x86_64\\.exe)\"", kHtml);
        static const auto link32 =
            NewRegex("href=\"([^<>]+?boinc_([\\d.]+)_windows_intelx86\\.exe)\"", kHtml);
        const auto match = (Context().IsWindows64() ? link64 : link32)->Match(GetPageText(kPage));
        if (!match->Success()) {
            return;
        }
        aParams.AvailableVersion = GroupText(*match, 2);
        aParams.DownloadURL = AbsoluteLink(kSite, GroupText(*match, 1));
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeBOINC() {
    return std::make_unique<TBOINC>();
}

} // namespace brivane::programs
