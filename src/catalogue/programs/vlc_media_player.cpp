// VLC media player: the Windows download page links the 32-bit installer
// protocol-relatively ("//get.videolan.org/vlc/2.2.4/win32/vlc-2.2.4-win32.exe"); the
// file name carries the version. The installer registers "VLC media player".

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.videolan.org";
constexpr const char* kDownloadPage = "https://www.videolan.org/vlc/download-windows.html";

class TVLCMediaPlayer final : public TBaseSoftware {
public:
    TVLCMediaPlayer() : TBaseSoftware("VLC media player", scMultimedia) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^VLC\\s+?media\\s+?player\\b");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer =
            NewRegex("href=\"([^<>]+?/vlc-([\\d.]+)-win32\\.exe)\"",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        ReadVersionedLink(GetPageText(kDownloadPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeVLCMediaPlayer() {
    return std::make_unique<TVLCMediaPlayer>();
}

} // namespace brivane::programs
