// Auslogics Disk Defrag: the publisher's update check for "disk-defrag" answers with the latest
// version; the installer's address is fixed. The installed version is the file
// version of the program.

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kExecutable = "DiskDefrag.exe";

class TAuslogicsDiskDefrag final : public TBaseSoftware {
public:
    TAuslogicsDiskDefrag() : TBaseSoftware("Auslogics Disk Defrag", scSystem) {}

protected:
    // "Auslogics Disk Defrag", also with an edition after it ("... Free").
    void FindApplication() override {
        static const auto name = NewRegex("^Auslogics\\s+?Disk\\s+?Defrag");
        FindFirstApplication(*name);
    }

    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        CheckAuslogicsProgram(*fHTTP, "disk-defrag", aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeAuslogicsDiskDefrag() {
    return std::make_unique<TAuslogicsDiskDefrag>();
}

} // namespace brivane::programs
