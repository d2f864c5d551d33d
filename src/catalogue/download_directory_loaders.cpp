#include "catalogue/download_directory_loaders.h"

#include "catalogue/definition_helpers.h"

#include "net/code_page.h"
#include "net/http_helpers.h"
#include "net/uri.h"
#include "regex/regex.h"

#include <optional>

namespace brivane {

namespace {

std::shared_ptr<IRegex> PagePattern(std::string_view aPattern) {
    return NewRegex(aPattern, {TRegCompileOption::rcoSingleLine});
}

std::string GetPage(const std::string& aURL) {
    return net::GetPageTextOnce(aURL, net::kCodePageUtf8);
}

class TCNetInfoLoader : public ICNetInfoLoader {
public:
    TCNetInfo GetInfo(const std::string& aURL) const override {
        static const auto entity = NewRegex("&amp;", {TRegCompileOption::rcoIgnoreCase});
        static const auto version = PagePattern(R"re(Version:(?:\s*<[^<>]+?>\s*)*?([\d.]+))re");
        static const auto downloadNow = PagePattern(
            R"re(<a\s[^<>]*?href='([^<>]+?)'[^<>]*?>\s*?(?:<[^<>]+?>\s*?)*?Download\s+?Now\s*?<)re");
        static const auto restart =
            PagePattern(R"re(<a\s[^<>]*?href="([^<>]+?)"[^<>]*?>\s*?restart\s+?the\s+?download)re");

        TCNetInfo result;
        const TRegexSubject page = GetPage(entity->Replace(aURL, "&"));
        result.Version = FirstGroup(*version, page).value_or("");
        // The link leads to the directory's interstitial download page.
        const auto interstitial = FirstGroup(*downloadNow, page);
        if (!interstitial) {
            return result;
        }
        result.DownloadURL = FirstGroup(*restart, GetPage(*interstitial)).value_or("");
        return result;
    }
};

class TBetanewsInfoLoader : public IBetanewsInfoLoader {
public:
    TBetanewsInfo GetInfo(const std::string& aURL) const override {
        static const auto version = PagePattern(R"re(itemprop="softwareVersion">\s*?([\d.]+))re");
        static const auto downloadNow =
            PagePattern(R"re(<a\s[^<>]*?href="([^<>]*?)"[^<>]*?>\s*?Download\s+?Now\s*<)re");
        static const auto clickHere =
            PagePattern(R"re(<a\s[^<>]*?href="([^<>]*?)"[^<>]*?>\s*?click\s+?here\s*<)re");

        TBetanewsInfo result;
        const TRegexSubject page = GetPage(aURL);
        result.Version = FirstGroup(*version, page).value_or("");
        const auto link = FirstGroup(*downloadNow, page);
        if (!link) {
            return result;
        }
        // The link is site-relative and percent-encoded.
        std::string path = net::URLDecode(*link);
        if (!path.starts_with('/')) {
            path.insert(0, "/");
        }
        result.DownloadURL = FirstGroup(*clickHere, GetPage(kBetanewsSiteURL + path)).value_or("");
        return result;
    }
};

} // namespace

std::shared_ptr<ICNetInfoLoader> MakeCNetInfoLoader() {
    return std::make_shared<TCNetInfoLoader>();
}

std::shared_ptr<IBetanewsInfoLoader> MakeBetanewsInfoLoader() {
    return std::make_shared<TBetanewsInfoLoader>();
}

} // namespace brivane
