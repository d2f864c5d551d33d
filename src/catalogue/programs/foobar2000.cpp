// foobar2000: the download page heads the latest stable and the latest beta release
// ("Latest stable version", "Latest beta version") with a link "foobar2000 v1.3.10"
// or "foobar2000 v1.3.11 beta 2" to a page under "/getfile/"; the file itself is under
// "/files/". The inventory writes a pre-release as "1.3.10 beta 4", which becomes
// 1.3.10.4; a release and a pre-release of the same number are told apart by the
// pre-release flags of both sides.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"

#include <algorithm>

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.foobar2000.org";
constexpr const char* kDownloadPage = "https://www.foobar2000.org/download";

const TRegCompileOptions kSingleLine = {TRegCompileOption::rcoSingleLine};

// aVersion with aBeta appended so that the result has four components.
std::string WithBetaNumber(std::string aVersion, const std::string& aBeta) {
    switch (std::count(aVersion.begin(), aVersion.end(), '.')) {
    case 0:
        return aVersion + ".0.0." + aBeta;
    case 1:
        return aVersion + ".0." + aBeta;
    case 2:
        return aVersion + "." + aBeta;
    default:
        return aVersion;
    }
}

class Tfoobar2000 final : public TBaseSoftware {
public:
    Tfoobar2000() : TBaseSoftware("foobar2000", scMultimedia) {}

    // Equal numbers: an available pre-release is no update for an installed release,
    // an available release is one for an installed pre-release.
    int CompareVersions(const std::string& aCurrent, const std::string& aAvailable,
                        int aDigits) override {
        const int result = TBaseSoftware::CompareVersions(aCurrent, aAvailable, aDigits);
        if (result != 0 || aAvailable.empty() || fIsCurrentBeta == fIsAvailableBeta) {
            return result;
        }
        return fIsAvailableBeta ? 1 : -1;
    }

protected:
    void FindApplication() override {
        static const auto name =
            NewRegex("^foobar2000(?:\\s|$)", {TRegCompileOption::rcoIgnoreCase});
        FindFirstApplication(*name);
    }

    std::string GetCurrentVersion() override {
        static const auto numbering =
            NewRegex("^([\\d.]+)(?:\\s+?beta\\s+?(\\d+))?",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        fIsCurrentBeta = false;
        std::string version = TBaseSoftware::GetCurrentVersion();
        const auto match = numbering->Match(version);
        if (!match->Success()) {
            return version;
        }
        const std::string beta = GroupText(*match, 2);
        fIsCurrentBeta = !beta.empty();
        return fIsCurrentBeta ? WithBetaNumber(GroupText(*match, 1), beta) : GroupText(*match, 1);
    }

    void GetCheckedParams(bool aCheckBetaVersion, TLanguage, TCheckedParams& aParams) override {
        static const auto beta = NewRegex(
            "Latest\\s+?beta\\s+?version\\s*?</h\\d+?>\\s*?Download\\s*?<a\\s+?href=\"([^<>]+?)\">"
            "foobar2000\\s+?v([\\d.]+)(?:\\s+?beta\\s+?(\\d+))?",
            kSingleLine);
        static const auto stable = NewRegex(
            "Latest\\s+?stable\\s+?version\\s*?</h\\d+?>\\s*?Download\\s*?<a\\s+?href=\"([^<>]+?)"
            "\">foobar2000\\s+?v([\\d.]+)",
            kSingleLine);
        fIsAvailableBeta = false;
        const TRegexSubject page(GetPageText(kDownloadPage));
        std::shared_ptr<IMatch> release;
        if (aCheckBetaVersion) {
            release = beta->Match(page);
            aParams.IsBeta = fIsAvailableBeta = release->Success();
        }
        if (!release || !release->Success()) {
            release = stable->Match(page);
        }
        if (!release->Success()) {
            return;
        }
        aParams.AvailableVersion = GroupText(*release, 2);
        // Only the beta pattern has the beta number.
        if (fIsAvailableBeta) {
            if (const std::string number = GroupText(*release, 3); !number.empty()) {
                aParams.AvailableVersion += "." + number;
            }
        }
        std::string link = GroupText(*release, 1);
        if (const auto at = link.find("/getfile/"); at != std::string::npos) {
            link.replace(at, 9, "/files/");
        }
        aParams.DownloadURL = AbsoluteLink(kSite, link);
    }

private:
    bool fIsCurrentBeta = false;
    bool fIsAvailableBeta = false;
};

} // namespace

std::unique_ptr<TBaseSoftware> Makefoobar2000() {
    return std::make_unique<Tfoobar2000>();
}

} // namespace brivane::programs
