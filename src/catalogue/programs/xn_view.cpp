// XnView: the product page states the release ("Latest version: 2.39") and links the
// full Windows installer, which keeps one name across releases
// ("XnView-win-full.exe"). The installer registers "XnView 2.39" and records no icon.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.xnview.com";
constexpr const char* kProductPage = "https://www.xnview.com/en/xnview/";
constexpr const char* kExecutable = "xnview.exe";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TXnView final : public TBaseSoftware {
public:
    TXnView() : TBaseSoftware("XnView", scGraphics) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^XnView(?:\\s+?[\\d.]+)?$");
        FindFirstApplication(*name);
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version =
            NewRegex("Latest\\s+?version\\s*?:?(?:\\s*<[^<>]+?>\\s*)*?\\s*?(\\d[\\d.]*)", kHtml);
        static const auto installer = NewRegex("href=\"([^<>]+?/XnView-win-full\\.exe)\"", kHtml);
        ReadVersionAndLink(GetPageText(kProductPage), *version, *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeXnView() {
    return std::make_unique<TXnView>();
}

} // namespace brivane::programs
