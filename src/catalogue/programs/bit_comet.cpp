// BitComet: the downloads page names the release in a heading ("BitComet 1.44") and
// links a 32-bit and a 64-bit installer ("BitComet_1.44_setup.exe",
// "BitComet_1.44_x64_setup.exe").

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.bitcomet.com";
constexpr const char* kPage = "https://www.bitcomet.com/en/downloads";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TBitComet final : public TBaseSoftware {
public:
    TBitComet() : TBaseSoftware("BitComet", scInternetNetwork) {}

protected:
    // "BitComet 1.44" or "BitComet 1.44 (64-bit)"
    void FindApplication() override {
        static const auto name = NewRegex("^BitComet\\s+?[\\d.]+", {});
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(">\\s*?BitComet\\s+?([\\d.]+)\\s*?<", kHtml);
        static const auto link64 =
            NewRegex("href=\"([^<>]+?BitComet_[\\d.]+_x64_setup\\.exe)\"", kHtml);
        static const auto link32 =
            NewRegex("href=\"([^<>]+?BitComet_[\\d.]+_setup\\.exe)\"", kHtml);
        ReadVersionAndLink(GetPageText(kPage), *version,
                           Context().IsWindows64() ? *link64 : *link32, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeBitComet() {
    return std::make_unique<TBitComet>();
}

} // namespace brivane::programs
