// SoftPerfect RAM Disk: the version file of the product gives the version (at its
// start); the installer's address is fixed. Its installer registers a display name
// that carries the version ("SoftPerfect RAM Disk 3.4.7").

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kVersionFile = "https://www.softperfect.com/products/ramdisk/version.txt";
constexpr const char* kInstaller = "https://www.softperfect.com/download/files/ramdisk_setup.exe";
constexpr const char* kExecutable = "ramdiskws.exe";

class TSoftPerfectRAMDisk final : public TBaseSoftware {
public:
    TSoftPerfectRAMDisk() : TBaseSoftware("SoftPerfect RAM Disk", scSystem) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^SoftPerfect\\s+?RAM\\s+?Disk\\s+?([\\d.]+)");
        FindApplicationWithVersionInName(*name);
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex("^([\\d.]+)");
        CheckVersionFile(*fHTTP, kVersionFile, *version, kInstaller, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeSoftPerfectRAMDisk() {
    return std::make_unique<TSoftPerfectRAMDisk>();
}

} // namespace brivane::programs
