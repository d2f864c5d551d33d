#include "catalogue/programs/slimware_program.h"

#include "catalogue/publisher_sources.h"
#include "catalogue/short_version_software.h"

namespace brivane::programs {

namespace {

class TSlimwarePadProgram final : public TShortVersionSoftware {
public:
    TSlimwarePadProgram(std::string aName, std::string aPadFile)
        : TShortVersionSoftware(std::move(aName), scSystem, 3), fPadFile(std::move(aPadFile)) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        const TPadInfo pad = ReadPadFile(GetPageText(fPadFile));
        aParams.AvailableVersion = pad.Version;
        aParams.DownloadURL = pad.DownloadURL;
    }

private:
    const std::string fPadFile;
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeSlimwarePadProgram(std::string aName, std::string aPadFile) {
    return std::make_unique<TSlimwarePadProgram>(std::move(aName), std::move(aPadFile));
}

} // namespace brivane::programs
