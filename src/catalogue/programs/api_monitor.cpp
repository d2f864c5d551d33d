// API Monitor: the publisher's page links one installer per architecture, named
// after the version and its revision ("api-monitor-v2r13-setup-x64.exe" for v2
// Alpha-r13), which is where the version is read, as 2.13.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.rohitab.com";
constexpr const char* kPage = "https://www.rohitab.com/apimonitor";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TAPIMonitor final : public TBaseSoftware {
public:
    TAPIMonitor() : TBaseSoftware("API Monitor", scDevelopment) {}

protected:
    // "API Monitor v2 (Alpha-r13)"
    void FindApplication() override {
        static const auto name = NewRegex("^API\\s+?Monitor(?:\\s|$)", {});
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto link64 =
            NewRegex("href=\"([^<>]+?api-monitor-v(\\d+)r(\\d+)-setup-x64\\.exe)\"", kHtml);
        static const auto link32 =
            NewRegex("href=\"([^<>]+?api-monitor-v(\\d+)r(\\d+)-setup-x86\\.exe)\"", kHtml);
        const auto match = (Context().IsWindows64() ? link64 : link32)->Match(GetPageText(kPage));
        if (!match->Success()) {
            return;
        }
        aParams.AvailableVersion = GroupText(*match, 2) + "." + GroupText(*match, 3);
        aParams.DownloadURL = AbsoluteLink(kSite, GroupText(*match, 1));
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeAPIMonitor() {
    return std::make_unique<TAPIMonitor>();
}

} // namespace brivane::programs
