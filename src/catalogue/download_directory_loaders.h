#pragma once
// Loaders for the product pages of the two software download directories that some
// publishers send their users to: each reads the version a product page states and
// the direct installer address behind its download button. A loader is made, used
// once and released inside one entry's check; every page it reads comes through a
// client of its own, set up like a catalogue entry's.

#include <memory>
#include <string>

namespace brivane {

// The directories' sites. Their pages are requested at these addresses; the host
// map sends them elsewhere in tests and the offline demo.
inline constexpr const char* kCNetSiteURL = "https://download.cnet.com";
inline constexpr const char* kBetanewsSiteURL = "https://fileforum.betanews.com";

// A field whose pattern does not match stays empty.
struct TCNetInfo {
    std::string DownloadURL;
    std::string Version;
};

struct TBetanewsInfo {
    std::string DownloadURL;
    std::string Version;
};

// Neither loader reports a failed request or a page without the expected parts;
// only a body announced as gzip that does not decode throws (EGzipError).
class ICNetInfoLoader {
public:
    virtual ~ICNetInfoLoader() = default;
    // aURL: the product page, possibly taken from an HTML attribute ("&amp;" is read
    // as "&", in any letter case).
    virtual TCNetInfo GetInfo(const std::string& aURL) const = 0;
};

class IBetanewsInfoLoader {
public:
    virtual ~IBetanewsInfoLoader() = default;
    // aURL: the product page, requested as it is.
    virtual TBetanewsInfo GetInfo(const std::string& aURL) const = 0;
};

std::shared_ptr<ICNetInfoLoader> MakeCNetInfoLoader();
std::shared_ptr<IBetanewsInfoLoader> MakeBetanewsInfoLoader();

} // namespace brivane
