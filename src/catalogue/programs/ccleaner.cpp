// CCleaner: the version comes from the publisher's update service, the installer
// from its download page; the installed version is the file version of the
// program itself.

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kExecutable = "CCleaner.exe";

class TCCleaner final : public TBaseSoftware {
public:
    TCCleaner() : TBaseSoftware("CCleaner", scSystem) {}

protected:
    // The installer's idea of the version can lag behind; the executable's is exact.
    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        aParams.AvailableVersion = PiriformServiceVersion(*fHTTP, "cc");
        aParams.DownloadURL = PiriformInstaller(*fHTTP, "ccleaner");
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeCCleaner() {
    return std::make_unique<TCCleaner>();
}

} // namespace brivane::programs
