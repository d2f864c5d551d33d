// FastStone Image Viewer: the publisher's download page names the release ("Image
// Viewer 5.9") and links its installer, whose file name carries the version without
// dots ("FSViewerSetup59.exe").

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.faststone.org";
constexpr const char* kDownloadPage = "https://www.faststone.org/FSViewerDownload.htm";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TFastStoneImageViewer final : public TBaseSoftware {
public:
    TFastStoneImageViewer() : TBaseSoftware("FastStone Image Viewer", scGraphics) {}

protected:
    // "FastStone Image Viewer 5.9"
    void FindApplication() override {
        static const auto name = NewRegex("^FastStone\\s+?Image\\s+?Viewer\\b");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(
            ">\\s*?(?:FastStone\\s+?)?Image\\s+?Viewer\\s+?(\\d+(?:\\.\\d+)*)\\s*?<", kHtml);
        static const auto link = NewRegex("href=\"([^<>\"]+?FSViewerSetup\\d+\\.exe)\"", kHtml);
        ReadVersionAndLink(GetPageText(kDownloadPage), *version, *link, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeFastStoneImageViewer() {
    return std::make_unique<TFastStoneImageViewer>();
}

} // namespace brivane::programs
