// WinDjView: the project page links the installer on SourceForge's download host
// under a name that carries the version ("WinDjView-2.1-Setup.exe"). The installer
// registers "WinDjView 2.1".

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://windjview.sourceforge.io";
constexpr const char* kProjectPage = "https://windjview.sourceforge.io/";

class TWinDjView final : public TBaseSoftware {
public:
    TWinDjView() : TBaseSoftware("WinDjView", scOffice) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^WinDjView(?:\\s+?[\\d.]+)?$");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer =
            NewRegex("href=\"([^<>]+?/WinDjView-([\\d.]+)-Setup\\.exe)\"",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        ReadVersionedLink(GetPageText(kProjectPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeWinDjView() {
    return std::make_unique<TWinDjView>();
}

} // namespace brivane::programs
