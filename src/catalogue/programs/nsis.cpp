// Nullsoft Install System: the project's download page links the setup of the current
// release on the SourceForge download host, the version in the file name
// ("nsis-3.0-setup.exe"); pre-releases ("nsis-3.0b3-setup.exe") do not match.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://nsis.sourceforge.io";
constexpr const char* kDownloadPage = "https://nsis.sourceforge.io/Download";

class TNSIS final : public TBaseSoftware {
public:
    TNSIS() : TBaseSoftware("Nullsoft Install System", scDevelopment) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer =
            NewRegex("href=\"([^<>\"]+?/nsis-([\\d.]+)-setup\\.exe[^<>\"]*?)\"",
                     {TRegCompileOption::rcoIgnoreCase});
        ReadVersionedLink(GetPageText(kDownloadPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeNSIS() {
    return std::make_unique<TNSIS>();
}

} // namespace brivane::programs
