#include "support/page_software.h"

#include <sstream>

namespace brivane::test {

TPageSoftware::TBusy::TBusy(TPageSoftware& aOwner) : fOwner(aOwner) {
    if (fOwner.fBusy.fetch_add(1) != 0) {
        fOwner.fOverlapped = true;
    }
}

TPageSoftware::TBusy::~TBusy() {
    fOwner.fBusy.fetch_sub(1);
}

TPageSoftware::TPageSoftware(std::string aName, std::string aPageURL, TSoftwareLicense aLicense,
                             TSoftwareCategory aCategory)
    : TBaseSoftware(std::move(aName), aCategory, aLicense), fPageURL(std::move(aPageURL)) {}

void TPageSoftware::GetCheckedParams(bool aCheckBetaVersion, TLanguage, TCheckedParams& aParams) {
    const TBusy busy(*this);
    ++fChecks;
    std::istringstream page(GetPageText(fPageURL + (aCheckBetaVersion ? "?beta" : "")));
    page >> aParams.AvailableVersion >> aParams.DownloadURL;
}

TRemoteFileDateSize TPageSoftware::GetRemoteFileInfo(const std::string& aURL) {
    const TBusy busy(*this);
    return TBaseSoftware::GetRemoteFileInfo(aURL);
}

void TPageSoftware::FindApplication() {
    const TBusy busy(*this);
    TBaseSoftware::FindApplication();
}

} // namespace brivane::test
