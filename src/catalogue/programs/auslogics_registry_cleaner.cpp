// Auslogics Registry Cleaner: the publisher's update check for "registry-cleaner" answers with the
// latest version; the installer's address is fixed. The installed version is the file version of
// the program.

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kExecutable = "RegCleaner.exe";

class TAuslogicsRegistryCleaner final : public TBaseSoftware {
public:
    TAuslogicsRegistryCleaner() : TBaseSoftware("Auslogics Registry Cleaner", scSystem) {}

protected:
    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        CheckAuslogicsProgram(*fHTTP, "registry-cleaner", aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeAuslogicsRegistryCleaner() {
    return std::make_unique<TAuslogicsRegistryCleaner>();
}

} // namespace brivane::programs
