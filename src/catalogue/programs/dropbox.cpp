// Dropbox: the release notes list the builds of each channel in a section of their
// own ("release_type_stable", "release_type_testing"), newest first, each with a
// link whose text is the version and its date in United States notation. The
// installer is where the download service redirects for that build. The notes' date
// stands in for the installer's own when its server gives none.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/publisher_sources.h"

#include <array>
#include <charconv>

namespace brivane::programs {

namespace {

constexpr const char* kReleaseNotes = "https://www.dropbox.com/release_notes";
constexpr const char* kDownload = "https://www.dropbox.com/download?type=full&build=";
constexpr const char* kPlatform = "&plat=win";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoSingleLine};

bool IsLeapYear(int aYear) {
    return (aYear % 4 == 0 && aYear % 100 != 0) || aYear % 400 == 0;
}

// "12/21/2016" (month/day/year) as a date; the zero date for text that is no such
// date. Two-digit years are this century's.
TDateTime ParseUnitedStatesDate(std::string_view aText) {
    std::array<int, 3> parts{};
    std::size_t yearDigits = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const auto slash = aText.find('/');
        const std::string_view part = aText.substr(0, slash);
        const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), parts[i]);
        if (part.empty() || part.size() > 4 || error != std::errc() ||
            end != part.data() + part.size() || (slash == std::string_view::npos) != (i == 2)) {
            return kZeroDate;
        }
        yearDigits = part.size();
        aText = slash == std::string_view::npos ? std::string_view() : aText.substr(slash + 1);
    }
    auto [month, day, year] = parts;
    if (yearDigits == 2) {
        year += 2000;
    } else if (yearDigits != 4) {
        return kZeroDate;
    }
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1 ||
        day > kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0)) {
        return kZeroDate;
    }
    return EncodeDateTime(year, month, day);
}

class TDropbox final : public TBaseSoftware {
public:
    TDropbox() : TBaseSoftware("Dropbox", scInternetNetwork) {}

protected:
    void GetCheckedParams(bool aCheckBetaVersion, TLanguage, TCheckedParams& aParams) override {
        static const auto stable = NewRegex(
            "(?<=release_type_stable)(.+?)<div\\s[^<>]*?(?:release_type_|release_no_matches)",
            kHtml);
        static const auto testing = NewRegex(
            "(?<=release_type_testing)(.+?)<div\\s[^<>]*?(?:release_type_|release_no_matches)",
            kHtml);
        static const auto build =
            NewRegex("<a\\s[^<>]*?href=\"([^<>]+?)\"[^<>]*?>\\s*?([\\d.]+)", kHtml);
        static const auto date = NewRegex("\"release_date\">\\s*?([\\d/]+)", kHtml);

        fReleaseDate = kZeroDate;
        const auto section =
            FirstGroup(aCheckBetaVersion ? *testing : *stable, GetPageText(kReleaseNotes));
        if (!section) {
            return;
        }
        const TRegexSubject notes(*section);
        const auto release = build->Match(notes);
        if (!release->Success()) {
            return;
        }
        aParams.AvailableVersion = GroupText(*release, 2);
        aParams.IsBeta = aCheckBetaVersion;
        fReleaseDate = ParseUnitedStatesDate(FirstGroup(*date, notes).value_or(""));
        aParams.DownloadURL =
            RedirectLocation(*fHTTP, kDownload + aParams.AvailableVersion + kPlatform);
    }

    TRemoteFileDateSize GetRemoteFileInfo(const std::string& aURL) override {
        const TRemoteFileDateSize info = TBaseSoftware::GetRemoteFileInfo(aURL);
        if (info.Item1() != kZeroDate) {
            return info;
        }
        return TRemoteFileDateSize(fReleaseDate, info.Item2());
    }

private:
    // The date the release notes give the version found; the zero date without one.
    TDateTime fReleaseDate = kZeroDate;
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeDropbox() {
    return std::make_unique<TDropbox>();
}

} // namespace brivane::programs
