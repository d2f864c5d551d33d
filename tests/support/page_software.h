#pragma once
// A catalogue entry for tests and benchmarks. Its check reads one page, whose text is
// "VERSION INSTALLER-URL" (with the beta flag, the page's address followed by
// "?beta"); the base then asks the installer's date and size. It counts its checks
// and notices when its Init meets a check of itself on another thread.

#include "catalogue/base_software.h"

#include <atomic>
#include <string>

namespace brivane::test {

class TPageSoftware : public TBaseSoftware {
public:
    TPageSoftware(std::string aName, std::string aPageURL, TSoftwareLicense aLicense = slFreeware,
                  TSoftwareCategory aCategory = scSystem);

    int Checks() const { return fChecks.load(); }
    bool Overlapped() const { return fOverlapped.load(); }

protected:
    void GetCheckedParams(bool aCheckBetaVersion, TLanguage aLanguage,
                          TCheckedParams& aParams) override;
    TRemoteFileDateSize GetRemoteFileInfo(const std::string& aURL) override;
    void FindApplication() override;

private:
    // Marks the entry busy for its life; a second one at the same time is an overlap.
    class TBusy {
    public:
        explicit TBusy(TPageSoftware& aOwner);
        ~TBusy();
        TBusy(const TBusy&) = delete;
        TBusy& operator=(const TBusy&) = delete;

    private:
        TPageSoftware& fOwner;
    };

    const std::string fPageURL;
    std::atomic<int> fChecks{0};
    std::atomic<int> fBusy{0};
    std::atomic<bool> fOverlapped{false};
};

} // namespace brivane::test
