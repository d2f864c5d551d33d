// Pidgin: the project's Windows download page links the offline installer on the
// SourceForge download host, the version in the file name ("pidgin-2.11.0-offline.exe").

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://pidgin.im";
constexpr const char* kDownloadPage = "https://pidgin.im/download/windows/";

class TPidgin final : public TBaseSoftware {
public:
    TPidgin() : TBaseSoftware("Pidgin", scInternetNetwork) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer =
            NewRegex("href=\"([^<>\"]+?/pidgin-([\\d.]+)-offline\\.exe[^<>\"]*?)\"",
                     {TRegCompileOption::rcoIgnoreCase});
        ReadVersionedLink(GetPageText(kDownloadPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakePidgin() {
    return std::make_unique<TPidgin>();
}

} // namespace brivane::programs
