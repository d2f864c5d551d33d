// LibreOffice: the publisher's download page links the Windows installer on the
// download host, the version in the file name ("LibreOffice_5.2.0_Win_x86.msi"). Each
// installed release registers its own "LibreOffice 5.1.4.2"; the version in the name is
// taken and the highest installed release counts.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.libreoffice.org";
constexpr const char* kDownloadPage = "https://www.libreoffice.org/download/download/";

class TLibreOffice final : public TBaseSoftware {
public:
    TLibreOffice() : TBaseSoftware("LibreOffice", scOffice) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^LibreOffice\\s+?([\\d.]+)");
        FindHighestApplicationWithVersionInName(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer =
            NewRegex("href=\"([^<>]+?/LibreOffice_([\\d.]+)_Win_x86\\.msi)\"",
                     {TRegCompileOption::rcoIgnoreCase});
        ReadVersionedLink(GetPageText(kDownloadPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeLibreOffice() {
    return std::make_unique<TLibreOffice>();
}

} // namespace brivane::programs
