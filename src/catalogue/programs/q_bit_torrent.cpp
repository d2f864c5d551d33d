// qBittorrent: the project's download page links the 32-bit Windows installer on the
// SourceForge download host, the version in the file name
// ("qbittorrent_3.3.5_setup.exe"; the 64-bit one is "qbittorrent_3.3.5_x64_setup.exe").

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.qbittorrent.org";
constexpr const char* kDownloadPage = "https://www.qbittorrent.org/download.php";

class TqBitTorrent final : public TBaseSoftware {
public:
    TqBitTorrent() : TBaseSoftware("qBittorrent", scInternetNetwork) {}

protected:
    // "qBittorrent 3.3.5"
    void FindApplication() override {
        static const auto name = NewRegex("^qBittorrent\\b");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer =
            NewRegex("href=\"([^<>\"]+?/qbittorrent_([\\d.]+)_setup\\.exe[^<>\"]*?)\"",
                     {TRegCompileOption::rcoIgnoreCase});
        ReadVersionedLink(GetPageText(kDownloadPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeqBitTorrent() {
    return std::make_unique<TqBitTorrent>();
}

} // namespace brivane::programs
