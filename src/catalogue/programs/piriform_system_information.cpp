// Piriform's system information tool (its catalogue name is below): the version comes
// from the publisher's update service (the one CCleaner asks), the installer from the
// program's download page; the installed version is the file version of the program
// itself.

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kExecutable = "Speccy.exe";

class TPiriformSystemInformation final : public TBaseSoftware {
public:
    TPiriformSystemInformation() : TBaseSoftware("Speccy", scSystem) {}

protected:
    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        aParams.AvailableVersion = PiriformServiceVersion(*fHTTP, "sp");
        aParams.DownloadURL = PiriformInstaller(*fHTTP, "speccy");
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeSpeccy() {
    return std::make_unique<TPiriformSystemInformation>();
}

} // namespace brivane::programs
