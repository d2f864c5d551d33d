// Remote Utilities Viewer: the download page links each module's installer, whose file
// name carries the version ("viewer6.5.0.6.msi"). The viewer registers itself as
// "Remote Utilities - Viewer"; other modules of the suite have other names.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.remoteutilities.com";
constexpr const char* kDownloadPage = "https://www.remoteutilities.com/download/";
constexpr const char* kInventoryName = "Remote Utilities - Viewer";

class TRemoteUtilitiesViewer final : public TBaseSoftware {
public:
    TRemoteUtilitiesViewer() : TBaseSoftware("Remote Utilities Viewer", scInternetNetwork) {}

protected:
    // The inventory name exactly, letter case included.
    void FindApplication() override {
        FindFirstApplication(
            [](const TApplicationItem& aItem) { return aItem.Name == kInventoryName; });
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer =
            NewRegex("href=\"([^<>]+?/viewer([\\d.]+?)\\.msi)\"",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        ReadVersionedLink(GetPageText(kDownloadPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeRemoteUtilitiesViewer() {
    return std::make_unique<TRemoteUtilitiesViewer>();
}

} // namespace brivane::programs
