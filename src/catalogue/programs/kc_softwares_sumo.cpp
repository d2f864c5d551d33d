// KC Softwares SUMo: the publisher's version file holds nothing but the latest version
// ("4.3.4.317"); the installer's address is fixed. The program's executable, in the
// folder the install location names, tells the installed version.

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kVersionFile = "https://www.kcsoftwares.com/update/sumo.txt";
constexpr const char* kInstaller = "https://www.kcsoftwares.com/files/sumo_lite.exe";
constexpr const char* kExecutable = "SUMo.exe";

class TKCSoftwaresSUMo final : public TBaseSoftware {
public:
    TKCSoftwaresSUMo() : TBaseSoftware("KC Softwares SUMo", scSystem) {}

protected:
    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::InstallLocationCut, kExecutable);
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex("^\\s*(\\d+(?:\\.\\d+)+)\\s*$");
        CheckVersionFile(*fHTTP, kVersionFile, *version, kInstaller, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeKCSoftwaresSUMo() {
    return std::make_unique<TKCSoftwaresSUMo>();
}

} // namespace brivane::programs
