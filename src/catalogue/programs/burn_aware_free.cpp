// BurnAware Free: the publisher's update file holds the latest version ("version=9.5");
// the installer's file name is made from it ("burnaware_free_9.5.exe"). The installer
// registers the version in the display name ("BurnAware Free 9.5").

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"

namespace brivane::programs {

namespace {

constexpr const char* kUpdateFile = "https://www.burnaware.com/update.ini";
constexpr const char* kInstallerStart = "https://www.burnaware.com/downloads/burnaware_free_";
constexpr const char* kExecutable = "BurnAware.exe";

class TBurnAwareFree final : public TBaseSoftware {
public:
    TBurnAwareFree() : TBaseSoftware("BurnAware Free", scSystem) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^BurnAware\\s+?Free\\s+?([\\d.]+)");
        FindApplicationWithVersionInName(*name);
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version =
            NewRegex("^version\\s*?=\\s*?(\\d+(?:\\.\\d+)*)\\s*?$",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoMultiLine});
        if (const auto found = FirstGroup(*version, GetPageText(kUpdateFile))) {
            aParams.AvailableVersion = *found;
            aParams.DownloadURL = kInstallerStart + *found + ".exe";
        }
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeBurnAwareFree() {
    return std::make_unique<TBurnAwareFree>();
}

} // namespace brivane::programs
