// Skype: no page states the version; it is read out of the full installer behind the
// publisher's fixed link, and, for the preview, out of the preview installer, which
// is offered only when newer. The installed version is that of Phone\Skype.exe.

#include "catalogue/base_software.h"
#include "catalogue/release_channels.h"

namespace brivane::programs {

namespace {

constexpr const char* kInstaller = "https://download.skype.com/SkypeSetupFull.exe";
constexpr const char* kPreviewInstaller = "https://download.skype.com/SkypeSetupPreview.exe";
constexpr const char* kExecutable = "Phone\\Skype.exe";

class TSkype final : public TBaseSoftware {
public:
    TSkype() : TBaseSoftware("Skype", scInternetNetwork) {}

protected:
    // "Skype™ 7.24" and the like.
    void FindApplication() override {
        static const auto name =
            NewRegex("^Skype(?:™|\\(TM\\))?\\s+?[\\d.]+", {TRegCompileOption::rcoSingleLine});
        FindFirstApplication(*name);
    }

    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool aCheckBetaVersion, TLanguage, TCheckedParams& aParams) override {
        TakeProbedInstaller(kInstaller, aParams);
        if (aCheckBetaVersion) {
            TCheckedParams preview;
            TakeProbedInstaller(kPreviewInstaller, preview);
            preview.IsBeta = true;
            aParams = NewerRelease(*this, aParams, preview, TTieGoesTo::Stable);
        }
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeSkype() {
    return std::make_unique<TSkype>();
}

} // namespace brivane::programs
