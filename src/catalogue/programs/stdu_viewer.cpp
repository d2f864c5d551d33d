// STDU Viewer: the publisher's version file states the current release ("1.6.375");
// the installer lies at a fixed address. The installer registers "STDU Viewer version
// 1.6.375" and records no icon: the program in the install location stands in.

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kVersionFile = "https://www.stdutility.com/stduviewer/version.txt";
constexpr const char* kInstaller = "https://www.stdutility.com/download/stduviewer_setup.exe";
constexpr const char* kExecutable = "STDUViewerApp.exe";

class TSTDUViewer final : public TBaseSoftware {
public:
    TSTDUViewer() : TBaseSoftware("STDU Viewer", scOffice) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^STDU\\s+?Viewer\\b");
        FindFirstApplication(*name);
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex("^\\s*([\\d.]+)");
        CheckVersionFile(*fHTTP, kVersionFile, *version, kInstaller, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeSTDUViewer() {
    return std::make_unique<TSTDUViewer>();
}

} // namespace brivane::programs
