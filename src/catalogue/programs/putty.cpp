// PuTTY: the "latest release" page links the 32-bit Windows installer on the author's
// download host, the version in the file name ("x86/putty-0.67-installer.msi").

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.chiark.greenend.org.uk";
constexpr const char* kLatestPage =
    "https://www.chiark.greenend.org.uk/~sgtatham/putty/latest.html";

class TPuTTY final : public TBaseSoftware {
public:
    TPuTTY() : TBaseSoftware("PuTTY", scInternetNetwork) {}

protected:
    // "PuTTY release 0.67"
    void FindApplication() override {
        static const auto name = NewRegex("^PuTTY\\b");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer =
            NewRegex("href=\"([^<>\"]+?/x86/putty-([\\d.]+)-installer\\.msi)\"",
                     {TRegCompileOption::rcoIgnoreCase});
        ReadVersionedLink(GetPageText(kLatestPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakePuTTY() {
    return std::make_unique<TPuTTY>();
}

} // namespace brivane::programs
