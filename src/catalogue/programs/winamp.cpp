// Winamp: the publisher's home page offers the current release ("Download Winamp
// 5.666") and links the full installer, whose name carries the version without dots
// ("winamp5666_full_all_redux.exe"). The installer registers "Winamp".

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.winamp.com";
constexpr const char* kHomePage = "https://www.winamp.com/";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TWinamp final : public TBaseSoftware {
public:
    TWinamp() : TBaseSoftware("Winamp", scMultimedia) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(">\\s*?Download\\s+?Winamp\\s+?(\\d[\\d.]*)", kHtml);
        static const auto installer =
            NewRegex("href=\"([^<>]+?/winamp\\d+?_full[^<>\"]*?\\.exe)\"", kHtml);
        ReadVersionAndLink(GetPageText(kHomePage), *version, *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeWinamp() {
    return std::make_unique<TWinamp>();
}

} // namespace brivane::programs
