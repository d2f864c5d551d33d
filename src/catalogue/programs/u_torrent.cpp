// uTorrent: the Windows download page names the stable release with its build
// ("Stable (3.4.7 build 42330)") and links the stable installer. The program registers
// itself as "µTorrent" with the version and build joined ("3.4.7.42330").

#include "base/unicode.h"
#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.utorrent.com";
constexpr const char* kDownloadPage = "https://www.utorrent.com/downloads/win";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TuTorrent final : public TBaseSoftware {
public:
    TuTorrent() : TBaseSoftware("uTorrent", scInternetNetwork) {}

protected:
    // Named with the micro sign; the highest version wins, and an item held from an
    // earlier look stays unless a higher one is found.
    void FindApplication() override {
        std::string name = Info().Name();
        name.replace(name.find("uTorrent"), 8, "µTorrent");
        FindHighestApplication(
            [&name](const TApplicationItem& aItem) { return SameText(aItem.Name, name); },
            THighestFrom::Held);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto release =
            NewRegex(">\\s*?Stable\\s*?\\(\\s*?([\\d.]+)\\s+?build\\s+?(\\d+)\\s*?\\)", kHtml);
        static const auto installer =
            NewRegex("<a\\s[^<>]*?href=\"([^<>]+?/track/stable/[^<>]+?)\"", kHtml);
        const TRegexSubject page(GetPageText(kDownloadPage));
        const auto match = release->Match(page);
        if (!match->Success()) {
            return;
        }
        aParams.AvailableVersion = GroupText(*match, 1) + "." + GroupText(*match, 2);
        if (const auto link = FirstGroup(*installer, page)) {
            aParams.DownloadURL = AbsoluteLink(kSite, *link);
        }
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeuTorrent() {
    return std::make_unique<TuTorrent>();
}

} // namespace brivane::programs
