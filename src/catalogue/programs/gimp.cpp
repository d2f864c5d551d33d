// GIMP: the project's downloads page links the Windows installer on its download host
// by a protocol-relative address whose file name carries the version
// ("//download.gimp.org/mirror/pub/gimp/v2.8/windows/gimp-2.8.16-setup.exe"; a rebuilt
// installer adds "-1" after "setup").

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.gimp.org";
constexpr const char* kDownloadsPage = "https://www.gimp.org/downloads/";

class TGIMP final : public TBaseSoftware {
public:
    TGIMP() : TBaseSoftware("GIMP", scGraphics) {}

protected:
    // "GIMP 2.8.14"
    void FindApplication() override {
        static const auto name = NewRegex("^GIMP\\s+?\\d+(?:\\.\\d+)*");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer =
            NewRegex("href=\"([^<>\"]+?/gimp-(\\d+(?:\\.\\d+)*)-setup(?:-\\d+)?\\.exe)\"",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        ReadVersionedLink(GetPageText(kDownloadsPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeGIMP() {
    return std::make_unique<TGIMP>();
}

} // namespace brivane::programs
