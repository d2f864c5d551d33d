// Rainmeter: the home page's download buttons state the final release ("Final
// release 3.3.2") and the beta release ("Beta release 4.0"). The inventory's version
// carries the revision after the number ("3.3.2 r2609").

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/release_channels.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.rainmeter.net";
constexpr const char* kHomePage = "https://www.rainmeter.net/";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TRainmeter final : public TBaseSoftware {
public:
    TRainmeter() : TBaseSoftware("Rainmeter", scSystem) {}

protected:
    std::string GetCurrentVersion() override {
        static const auto number = NewRegex("^([\\d.]+)");
        const std::string version = TBaseSoftware::GetCurrentVersion();
        return FirstGroup(*number, version).value_or(version);
    }

    void GetCheckedParams(bool aCheckBetaVersion, TLanguage, TCheckedParams& aParams) override {
        static const auto release =
            NewRegex("<a\\s[^<>]*?href=\"([^<>]+?)\"[^<>]*?>(?:\\s*<[^<>]+?>\\s*)*?\\s*?Download"
                     "(?:\\s*<[^<>]+?>\\s*)*?Final\\s+?release\\s+?([\\d.]+)",
                     kHtml);
        static const auto beta =
            NewRegex("<a\\s[^<>]*?href=\"([^<>]+?)\"[^<>]*?>(?:\\s*<[^<>]+?>\\s*)*?\\s*?Download"
                     "(?:\\s*<[^<>]+?>\\s*)*?Beta\\s+?release\\s+?([\\d.]+)",
                     kHtml);

        const TRegexSubject page(GetPageText(kHomePage));
        TakeRelease(*release, page, kSite, aParams);
        if (aCheckBetaVersion && TakeRelease(*beta, page, kSite, aParams)) {
            aParams.IsBeta = true;
        }
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeRainmeter() {
    return std::make_unique<TRainmeter>();
}

} // namespace brivane::programs
