// SMPlayer: the project's download page links one installer per architecture on the
// SourceForge download host, the version in the file name ("smplayer-16.6.0-win32.exe",
// "smplayer-16.6.0-x64.exe").

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.smplayer.info";
constexpr const char* kDownloadPage = "https://www.smplayer.info/en/downloads";

class TSMPlayer final : public TBaseSoftware {
public:
    TSMPlayer() : TBaseSoftware("SMPlayer", scMultimedia) {}

protected:
    // "SMPlayer 16.6.0 (x64)"
    void FindApplication() override {
        static const auto name = NewRegex("^SMPlayer\\b");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer64 =
            NewRegex("href=\"([^<>\"]+?/smplayer-([\\d.]+)-x64\\.exe[^<>\"]*?)\"",
                     {TRegCompileOption::rcoIgnoreCase});
        static const auto installer32 =
            NewRegex("href=\"([^<>\"]+?/smplayer-([\\d.]+)-win32\\.exe[^<>\"]*?)\"",
                     {TRegCompileOption::rcoIgnoreCase});
        ReadVersionedLink(GetPageText(kDownloadPage),
                          Context().IsWindows64() ? *installer64 : *installer32, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeSMPlayer() {
    return std::make_unique<TSMPlayer>();
}

} // namespace brivane::programs
