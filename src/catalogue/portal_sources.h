#pragma once
// Steps that several definitions share: a redirect read by hand, a page's version and
// installer link, a PAD file (the publishers' Portable Application Description).

#include "catalogue/base_software.h"

#include <string>
#include <string_view>

namespace brivane {

// The Location that aURL answers with, requested with aClient not following
// redirects; following is switched back on afterwards, on every path. Empty when the
// request fails or the answer has no Location.
std::string RedirectLocation(net::THTTPClient& aClient, const std::string& aURL);

// The version (group 1 of aVersion) and the installer (group 1 of aLink, made absolute
// against aSite) that aPage states; a pattern that does not match leaves its field
// as it was.
void ReadVersionAndLink(const std::string& aPage, const IRegex& aVersion, const IRegex& aLink,
                        std::string_view aSite, TCheckedParams& aParams);

// What a PAD file states; a field whose element is missing stays empty.
struct TPadInfo {
    std::string Version;
    std::string DownloadURL;
};
TPadInfo ReadPadFile(const std::string& aText);

} // namespace brivane
