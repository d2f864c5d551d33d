// VKPaint: the publisher's home page names the release ("VKPaint 1.9.2") and links the
// installer, which keeps one name across releases ("VKPaint_setup.exe"). The installer
// registers "VKPaint 1.9.2".

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://vkpaint.ru";
constexpr const char* kHomePage = "https://vkpaint.ru/";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TVKPaint final : public TBaseSoftware {
public:
    TVKPaint() : TBaseSoftware("VKPaint", scInternetNetwork) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^VKPaint(?:\\s+?[\\d.]+)?$");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(">\\s*?VKPaint\\s+?(\\d[\\d.]*)\\s*?<", kHtml);
        static const auto installer = NewRegex("href=\"([^<>]+?/VKPaint_setup\\.exe)\"", kHtml);
        ReadVersionAndLink(GetPageText(kHomePage), *version, *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeVKPaint() {
    return std::make_unique<TVKPaint>();
}

} // namespace brivane::programs
