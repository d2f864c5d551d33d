// Eraser: the project's download page links the latest installer on SourceForge's
// download host by a file name that carries the version ("Eraser 6.2.0.2982.exe",
// blank escaped). The installer registers the version in the display name
// ("Eraser 6.2.0.2970").

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://eraser.heidi.ie";
constexpr const char* kDownloadPage = "https://eraser.heidi.ie/download/";

class TEraser final : public TBaseSoftware {
public:
    TEraser() : TBaseSoftware("Eraser", scSecurity) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^Eraser\\s+?(\\d+(?:\\.\\d+)*)");
        FindApplicationWithVersionInName(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer =
            NewRegex("href=\"([^<>\"]+?/Eraser(?:%20|\\s|\\+)(\\d+(?:\\.\\d+)*)\\.exe)\"",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        ReadVersionedLink(GetPageText(kDownloadPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeEraser() {
    return std::make_unique<TEraser>();
}

} // namespace brivane::programs
