// SlimDrivers: version and installer come from the publisher's PAD file. Its builds differ
// in the fourth component of the version, so only three count.

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"
#include "catalogue/short_version_software.h"

namespace brivane::programs {

namespace {

constexpr const char* kPadFile = "https://www.slimwareutilities.com/pad/slimdrivers_pad.xml";

class TSlimDrivers final : public TShortVersionSoftware {
public:
    TSlimDrivers() : TShortVersionSoftware("SlimDrivers", scSystem, 3) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        const TPadInfo pad = ReadPadFile(GetPageText(kPadFile));
        aParams.AvailableVersion = pad.Version;
        aParams.DownloadURL = pad.DownloadURL;
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeSlimDrivers() {
    return std::make_unique<TSlimDrivers>();
}

} // namespace brivane::programs
