// Defraggler: the version is written on the program's download page ("Latest version:
// 2.21.993", the number sometimes in a one-letter tag), the installer comes from the
// standard download page; the installed version is the file version of the program.

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kDownloadPage = "https://www.piriform.com/defraggler/download";
constexpr const char* kExecutable = "Defraggler.exe";

class TDefraggler final : public TBaseSoftware {
public:
    TDefraggler() : TBaseSoftware("Defraggler", scSystem) {}

protected:
    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(
            "Latest\\s+?version\\s*?:\\s*?(?:<[^<>]>)*?(\\d+?)\\.(\\d+?)\\.(?:(\\d+?)\\.)?(\\d+)",
            {TRegCompileOption::rcoSingleLine});
        if (const auto match = version->Match(GetPageText(kDownloadPage)); match->Success()) {
            aParams.AvailableVersion = JoinedVersion(*match);
        }
        aParams.DownloadURL = PiriformInstaller(*fHTTP, "defraggler");
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeDefraggler() {
    return std::make_unique<TDefraggler>();
}

} // namespace brivane::programs
