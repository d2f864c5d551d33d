// Auslogics Registry Defrag: the publisher's update check for "registry-defrag" answers with the
// latest version; the installer's address is fixed. The installed version is the file version of
// the program.

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kExecutable = "RegistryDefrag.exe";

class TAuslogicsRegistryDefrag final : public TBaseSoftware {
public:
    TAuslogicsRegistryDefrag() : TBaseSoftware("Auslogics Registry Defrag", scSystem) {}

protected:
    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        CheckAuslogicsProgram(*fHTTP, "registry-defrag", aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeAuslogicsRegistryDefrag() {
    return std::make_unique<TAuslogicsRegistryDefrag>();
}

} // namespace brivane::programs
