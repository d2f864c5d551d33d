// RocketDock: the publisher's version file states the current release ("1.3.5"), whose
// installer lies under a name built from it ("RocketDock-v1.3.5.exe"). The installer
// registers "RocketDock 1.3.5", whose version is taken, and records no icon: the program
// in the install location stands in.

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kVersionFile = "https://rocketdock.com/version.txt";
constexpr const char* kInstallers = "https://rocketdock.com/files/RocketDock-v";
constexpr const char* kExecutable = "RocketDock.exe";

class TRocketDock final : public TBaseSoftware {
public:
    TRocketDock() : TBaseSoftware("RocketDock", scSystem) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^RocketDock\\s+?([\\d.]+)");
        FindApplicationWithVersionInName(*name);
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex("^\\s*([\\d.]+)");
        aParams.AvailableVersion = VersionIn(*version, ReadVersionFile(*fHTTP, kVersionFile));
        if (!aParams.AvailableVersion.empty()) {
            aParams.DownloadURL = kInstallers + aParams.AvailableVersion + ".exe";
        }
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeRocketDock() {
    return std::make_unique<TRocketDock>();
}

} // namespace brivane::programs
