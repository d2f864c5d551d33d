// VKMusic: the publisher's home page names the release ("VKMusic 4.75") and links the
// installer, which keeps one name across releases ("VKMusic_setup.exe"). The installer
// registers "VKMusic 4.75" (older releases "VKMusic 4").

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://vkmusic.citynov.ru";
constexpr const char* kHomePage = "https://vkmusic.citynov.ru/";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TVKMusic final : public TBaseSoftware {
public:
    TVKMusic() : TBaseSoftware("VKMusic", scInternetNetwork) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^VKMusic(?:\\s+?[\\d.]+)?$");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(">\\s*?VKMusic\\s+?(\\d[\\d.]*)\\s*?<", kHtml);
        static const auto installer = NewRegex("href=\"([^<>]+?/VKMusic_setup\\.exe)\"", kHtml);
        ReadVersionAndLink(GetPageText(kHomePage), *version, *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeVKMusic() {
    return std::make_unique<TVKMusic>();
}

} // namespace brivane::programs
