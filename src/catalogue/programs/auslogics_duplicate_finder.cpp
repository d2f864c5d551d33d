// Auslogics Duplicate File Finder: the publisher's update check for "duplicate-file-finder" answers
// with the latest version; the installer's address is fixed. The installed version is the file
// version of the program.

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kExecutable = "DuplicateFileFinder.exe";

class TAuslogicsDuplicateFinder final : public TBaseSoftware {
public:
    TAuslogicsDuplicateFinder() : TBaseSoftware("Auslogics Duplicate File Finder", scSystem) {}

protected:
    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        CheckAuslogicsProgram(*fHTTP, "duplicate-file-finder", aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeAuslogicsDuplicateFinder() {
    return std::make_unique<TAuslogicsDuplicateFinder>();
}

} // namespace brivane::programs
