// Recuva: the version comes from the script the program's update page runs ("var
// version = '1.53.1087';"), the installer from the standard download page; the
// installed version is the file version of the program.

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kUpdatePage = "https://www.piriform.com/recuva/update?v=";
constexpr const char* kExecutable = "Recuva.exe";

class TRecuva final : public TBaseSoftware {
public:
    TRecuva() : TBaseSoftware("Recuva", scSystem) {}

protected:
    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version =
            NewRegex("var\\s+?version\\s*?=\\s*?'(\\d+?)\\.(\\d+?)\\.(?:(\\d+?)\\.)?(\\d+)",
                     {TRegCompileOption::rcoSingleLine});
        if (const auto match = version->Match(GetPageText(kUpdatePage)); match->Success()) {
            aParams.AvailableVersion = JoinedVersion(*match);
        }
        aParams.DownloadURL = PiriformInstaller(*fHTTP, "recuva");
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeRecuva() {
    return std::make_unique<TRecuva>();
}

} // namespace brivane::programs
