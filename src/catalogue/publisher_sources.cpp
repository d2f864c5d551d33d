#include "catalogue/publisher_sources.h"

#include "base/trim.h"
#include "base/unicode.h"
#include "catalogue/definition_helpers.h"
#include "net/code_page.h"
#include "net/http_helpers.h"
#include "net/uri.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace brivane {

namespace {

constexpr std::string_view kPiriformSite = "https://www.piriform.com";

// A decimal number that fits; nothing for anything else.
std::optional<int> DecimalNumber(std::string_view aText) {
    int value = 0;
    const auto [end, error] = std::from_chars(aText.data(), aText.data() + aText.size(), value);
    if (error != std::errc() || end != aText.data() + aText.size()) {
        return std::nullopt;
    }
    return value;
}

int DaysInMonth(int aYear, int aMonth) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (aYear % 4 == 0 && aYear % 100 != 0) || aYear % 400 == 0;
    return aMonth == 2 && leap ? 29 : kDays[static_cast<std::size_t>(aMonth - 1)];
}

} // namespace

bool IsVersionText(std::string_view aText) {
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (aText.empty() || !isDigit(aText.front()) || !isDigit(aText.back())) {
        return false;
    }
    return aText.find_first_not_of("0123456789.") == std::string_view::npos;
}

std::string VersionIn(const IRegex& aPattern, const TRegexSubject& aText) {
    std::optional<std::string> version = FirstGroup(aPattern, aText);
    return version && IsVersionText(*version) ? std::move(*version) : std::string();
}

std::string JoinedVersion(const IMatch& aMatch) {
    const std::string third = GroupText(aMatch, 3);
    return GroupText(aMatch, 1) + "." + GroupText(aMatch, 2) + "." + (third.empty() ? "0" : third) +
           "." + GroupText(aMatch, 4);
}

std::string ReadVersionFile(net::THTTPClient& aClient, const std::string& aURL) {
    std::string text = net::GetPageText(aClient, aURL, net::kCodePageUtf8);
    return text.size() <= kMaxVersionFileSize ? text : std::string();
}

void CheckVersionFile(net::THTTPClient& aClient, const std::string& aVersionFile,
                      const IRegex& aPattern, const std::string& aInstaller,
                      TCheckedParams& aParams) {
    aParams.AvailableVersion = VersionIn(aPattern, ReadVersionFile(aClient, aVersionFile));
    if (!aParams.AvailableVersion.empty()) {
        aParams.DownloadURL = aInstaller;
    }
}

std::string RedirectLocation(net::THTTPClient& aClient, const std::string& aURL) {
    std::string location;
    {
        TManualRedirect manual(aClient);
        net::GetPageText(aClient, aURL, net::kCodePageUtf8,
                         [&location](const net::IHTTPResponse& aResponse) {
                             location = aResponse.GetHeaderValue("Location");
                         });
    }
    if (Trim(location, " \t\r\n").empty()) {
        return {};
    }
    // The fragment is part of what the publisher says (a product's name, say); the
    // address resolution would drop it.
    const auto hash = location.find('#');
    const std::string fragment = hash == std::string::npos ? std::string() : location.substr(hash);
    location.resize(std::min(location.size(), hash));
    try {
        return net::TURI::Parse(aURL).Resolve(location).ToString() + fragment;
    } catch (const std::exception&) {
        return {}; // a Location that names no address
    }
}

std::string DecodeAmpersands(std::string_view aText) {
    std::string result;
    result.reserve(aText.size());
    for (std::size_t i = 0; i < aText.size(); ++i) {
        result += aText[i];
        if (aText.substr(i, 5) == "&amp;") {
            i += 4;
        }
    }
    return result;
}

std::optional<TDateTime> ParseMonthDayYear(std::string_view aText) {
    static constexpr std::array<std::string_view, 12> kMonths = {
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    static const auto parts = NewRegex("(\\D+?)\\s+?(\\d+),\\s+?(\\d+)");
    const auto match = parts->Match(aText);
    if (!match->Success()) {
        return std::nullopt;
    }
    // A blank before the month name belongs to the page, not to the name.
    const std::string name = GroupText(*match, 1);
    const std::string_view month = Trim(name, " \t\r\n");
    int monthNumber = 0;
    for (std::size_t i = 0; i < kMonths.size(); ++i) {
        if (SameText(month, kMonths[i])) {
            monthNumber = static_cast<int>(i) + 1;
        }
    }
    if (monthNumber == 0) {
        throw EPageDateError("unknown month \"" + std::string(month) + "\"");
    }
    const auto day = DecimalNumber(GroupText(*match, 2));
    const auto year = DecimalNumber(GroupText(*match, 3));
    if (!day || !year || *year < 1 || *year > 9999 || *day < 1 ||
        *day > DaysInMonth(*year, monthNumber)) {
        throw EPageDateError("impossible date \"" + std::string(aText) + "\"");
    }
    return EncodeDateTime(*year, monthNumber, *day);
}

std::string PiriformServiceVersion(net::THTTPClient& aClient, std::string_view aProduct) {
    static const auto answer =
        NewRegex("^\\$\\$\\$\\|\\d+?\\|(\\d+?)\\.(\\d+?)\\.(?:(\\d+?)\\.)?(\\d+?)\\|");
    const auto match = answer->Match(
        net::GetPageText(aClient, std::string(kPiriformSite) + "/auto?p=" + std::string(aProduct),
                         net::kCodePageUtf8));
    return match->Success() ? JoinedVersion(*match) : std::string();
}

std::string PiriformInstaller(net::THTTPClient& aClient, std::string_view aProgram) {
    static const auto link = NewRegex("\"([^<>]+?)\"\\s*?>[^<>]*?start\\s+?the\\s+?download");
    const std::string page = net::GetPageText(
        aClient, std::string(kPiriformSite) + "/" + std::string(aProgram) + "/download/standard",
        net::kCodePageUtf8);
    const auto found = FirstGroup(*link, page);
    return found ? AbsoluteLink(kPiriformSite, *found) : std::string();
}

void CheckAuslogicsProgram(net::THTTPClient& aClient, std::string_view aProgram,
                           TCheckedParams& aParams) {
    static constexpr std::string_view kSite = "https://www.auslogics.com";
    static const auto version = NewRegex("([\\d.]+)");
    const std::string program(aProgram);
    CheckVersionFile(
        aClient, std::string(kSite) + "/tools/checkforupdate/?program=" + program + "&version=1",
        *version, std::string(kSite) + "/en/downloads/" + program + "/" + program + "-setup.exe",
        aParams);
}

TPadInfo ReadPadFile(const std::string& aText) {
    static const TRegCompileOptions options = {TRegCompileOption::rcoIgnoreCase,
                                               TRegCompileOption::rcoSingleLine};
    static const auto version = NewRegex("<Program_Version>([\\d.]+?)</Program_Version>", options);
    static const auto link =
        NewRegex("<Primary_Download_URL>(.+?)</Primary_Download_URL>", options);
    const TRegexSubject text(aText);
    TPadInfo result;
    result.Version = FirstGroup(*version, text).value_or("");
    result.DownloadURL = FirstGroup(*link, text).value_or("");
    return result;
}

} // namespace brivane
