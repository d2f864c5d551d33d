// Download Master: the publisher's version file holds nothing but the latest version
// ("6.10.1.1519"); the installer's address is fixed. Some installers record no
// icon; the program's executable in the install location stands in.

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kVersionFile = "https://westbyte.com/dm/version.txt";
constexpr const char* kInstaller = "https://westbyte.com/dm/dmaster.exe";
constexpr const char* kExecutable = "dmaster.exe";

class TDownloadMaster final : public TBaseSoftware {
public:
    TDownloadMaster() : TBaseSoftware("Download Master", scInternetNetwork) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^Download\\s+?Master");
        FindFirstApplication(*name);
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

std::unique_ptr<TBaseSoftware> MakeDownloadMaster() {
    return std::make_unique<TDownloadMaster>();
}

} // namespace brivane::programs
