// SlimComputer: the version comes from the publisher's PAD file; the installer is
// offered through CNet's download directory, whose product page leads to it. Its
// builds differ in the fourth component of the version, so only three count.

#include "catalogue/base_software.h"
#include "catalogue/download_directory_loaders.h"
#include "catalogue/publisher_sources.h"
#include "catalogue/short_version_software.h"

namespace brivane::programs {

namespace {

constexpr const char* kPadFile = "https://www.slimwareutilities.com/pad/slimcomputer_pad.xml";
constexpr const char* kProductPage =
    "https://download.cnet.com/SlimComputer/3000-2094_4-75449620.html";

class TSlimComputer final : public TShortVersionSoftware {
public:
    TSlimComputer() : TShortVersionSoftware("SlimComputer", scSystem, 3) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        aParams.AvailableVersion = ReadPadFile(GetPageText(kPadFile)).Version;
        aParams.DownloadURL = MakeCNetInfoLoader()->GetInfo(kProductPage).DownloadURL;
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeSlimComputer() {
    return std::make_unique<TSlimComputer>();
}

} // namespace brivane::programs
