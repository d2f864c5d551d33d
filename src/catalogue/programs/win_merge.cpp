// WinMerge: the downloads page links the installer of the stable release under a name
// that carries the version ("WinMerge-2.14.0-Setup.exe"). The installer registers
// "WinMerge 2.14.0".

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://winmerge.org";
constexpr const char* kDownloadPage = "https://winmerge.org/downloads/";

class TWinMerge final : public TBaseSoftware {
public:
    TWinMerge() : TBaseSoftware("WinMerge", scSystem) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^WinMerge(?:\\s+?[\\d.]+)?(?:\\s|$)");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer =
            NewRegex("href=\"([^<>]+?/WinMerge-([\\d.]+)-Setup\\.exe)\"",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        ReadVersionedLink(GetPageText(kDownloadPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeWinMerge() {
    return std::make_unique<TWinMerge>();
}

} // namespace brivane::programs
