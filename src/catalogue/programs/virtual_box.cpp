// VirtualBox: the downloads page links the Windows installer under a name that
// carries the version and the build ("VirtualBox-5.1.8-111374-Win.exe"). The installer
// registers "Oracle VM VirtualBox 5.1.8".

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.virtualbox.org";
constexpr const char* kDownloadPage = "https://www.virtualbox.org/wiki/Downloads";

class TVirtualBox final : public TBaseSoftware {
public:
    TVirtualBox() : TBaseSoftware("VirtualBox", scSystem) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^(?:Oracle\\s+?(?:VM\\s+?)?)?VirtualBox\\s+?[\\d.]+");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer =
            NewRegex("href=\"([^<>]+?/VirtualBox-([\\d.]+)-\\d+-Win\\.exe)\"",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        ReadVersionedLink(GetPageText(kDownloadPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeVirtualBox() {
    return std::make_unique<TVirtualBox>();
}

} // namespace brivane::programs
