#pragma once
// The ways definitions read what a publisher offers: version files, update-service
// answers, release dates written on pages, download links that redirect to the
// installer, and the sources that several programs of one publisher share.

#include "base/date_time.h"
#include "catalogue/checked_params.h"
#include "net/http_client.h"
#include "regex/regex.h"

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace brivane {

// --- Versions ---

// Digits and dots, beginning and ending with a digit: "5.21.0.5700", "7".
bool IsVersionText(std::string_view aText);

// Group 1 of aPattern's first match in aText when it is a version; empty otherwise,
// so that a pattern as loose as "([\d.]+)" finds no "version" in a stray dot.
std::string VersionIn(const IRegex& aPattern, const TRegexSubject& aText);

// Groups 1 to 4 of an update answer ("5.21.5700" or "5.21.3.5700") as four parts: the
// third is 0 when group 3 took no part.
std::string JoinedVersion(const IMatch& aMatch);

// --- Version files ---

// A version file is a few lines; a longer answer is some other page.
inline constexpr std::size_t kMaxVersionFileSize = 64 * 1024;

// The text of a plain version file (a version, an INI or a small script), fetched with
// aClient; empty when the request fails or the answer is too long to be one.
std::string ReadVersionFile(net::THTTPClient& aClient, const std::string& aURL);

// The version group 1 of aPattern finds in the version file at aVersionFile and, with
// a version, the fixed installer address aInstaller.
void CheckVersionFile(net::THTTPClient& aClient, const std::string& aVersionFile,
                      const IRegex& aPattern, const std::string& aInstaller,
                      TCheckedParams& aParams);

// What a PAD file (a publisher's Portable Application Description) states; a field
// whose element is missing stays empty.
struct TPadInfo {
    std::string Version;
    std::string DownloadURL;
};
TPadInfo ReadPadFile(const std::string& aText);

// --- Redirects followed by hand ---

// Redirects are answered, not followed, while it lives; following is switched on again
// however the requests end.
class TManualRedirect {
public:
    explicit TManualRedirect(net::THTTPClient& aClient) : fClient(aClient) {
        fClient.SetHandleRedirects(false);
    }
    ~TManualRedirect() { fClient.SetHandleRedirects(true); }
    TManualRedirect(const TManualRedirect&) = delete;
    TManualRedirect& operator=(const TManualRedirect&) = delete;

private:
    net::THTTPClient& fClient;
};

// The address the answer to aURL redirects to, resolved against aURL; empty when the
// answer has no Location (or the request fails). Redirects are not followed for this
// request and are followed again afterwards, on every path.
std::string RedirectLocation(net::THTTPClient& aClient, const std::string& aURL);

// aText with every "&amp;" as "&": links copied out of HTML attributes.
std::string DecodeAmpersands(std::string_view aText);

// --- Dates written on pages ---

// A page's date that names a month that does not exist, or a day the month does not
// have.
class EPageDateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "March 12, 2016" (English month names in any letter case) as a date. Nothing when
// the text is not of that shape; EPageDateError for an unknown month or an impossible
// date.
std::optional<TDateTime> ParseMonthDayYear(std::string_view aText);

// --- Sources shared by programs of one publisher ---

// The version Piriform's update service answers for a product ("cc" for CCleaner):
// "$$$|<build>|5.21.5700|..." as "5.21.0.5700"; empty for any other answer.
std::string PiriformServiceVersion(net::THTTPClient& aClient, std::string_view aProduct);

// The installer link of a Piriform program ("defraggler"): the link that starts the
// download on "/<program>/download/standard"; empty when there is none.
std::string PiriformInstaller(net::THTTPClient& aClient, std::string_view aProgram);

// An Auslogics program ("disk-defrag"): the version its update check answers and, with
// a version, the program's fixed installer address.
void CheckAuslogicsProgram(net::THTTPClient& aClient, std::string_view aProgram,
                           TCheckedParams& aParams);

} // namespace brivane
