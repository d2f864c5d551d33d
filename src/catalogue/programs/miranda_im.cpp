// Miranda IM: the publisher's update file holds a block for the release and one for
// the pre-release, each with its version and download address:
//   <releasestable><version>0.10.24</version><downloadurl>...</downloadurl></releasestable>
// A download address on the CNet directory is that directory's product page, which
// leads to the installer. The pre-release is offered only when it is newer.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/download_directory_loaders.h"
#include "catalogue/release_channels.h"

namespace brivane::programs {

namespace {

constexpr const char* kUpdateFile = "https://update.miranda-im.org/update.xml";

const TRegCompileOptions kXml = {TRegCompileOption::rcoIgnoreCase,
                                 TRegCompileOption::rcoSingleLine};

class TMirandaIM final : public TBaseSoftware {
public:
    TMirandaIM() : TBaseSoftware("Miranda IM", scInternetNetwork) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^Miranda\\s+?IM\\b", kXml);
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool aCheckBetaVersion, TLanguage, TCheckedParams& aParams) override {
        static const auto stable = NewRegex("<releasestable>\\s*(.+?)\\s*</releasestable>", kXml);
        static const auto beta = NewRegex("<releasebeta>\\s*(.+?)\\s*</releasebeta>", kXml);

        const TRegexSubject file(GetPageText(kUpdateFile));
        aParams = Release(FirstGroup(*stable, file).value_or(""));
        if (aCheckBetaVersion) {
            TCheckedParams preRelease = Release(FirstGroup(*beta, file).value_or(""));
            preRelease.IsBeta = true;
            aParams = NewerRelease(*this, aParams, preRelease, TTieGoesTo::Stable);
        }
    }

private:
    static TCheckedParams Release(const std::string& aBlock) {
        static const auto version = NewRegex("<version>\\s*([\\d.]+)\\s*</version>", kXml);
        static const auto link = NewRegex("<downloadurl>\\s*([^<>]+?)\\s*</downloadurl>", kXml);
        TCheckedParams release;
        if (aBlock.empty()) {
            return release;
        }
        const TRegexSubject block(aBlock);
        release.AvailableVersion = FirstGroup(*version, block).value_or("");
        const std::string address = FirstGroup(*link, block).value_or("");
        if (address.starts_with(kCNetSiteURL)) {
            TCheckedParams directory;
            TakeCNetInfo(address, directory);
            release.DownloadURL = directory.DownloadURL;
        } else {
            release.DownloadURL = address;
        }
        return release;
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeMirandaIM() {
    return std::make_unique<TMirandaIM>();
}

} // namespace brivane::programs
