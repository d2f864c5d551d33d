// GOM Player: the player's page on the CNet directory gives the version and the
// installer of the international (English) edition. The publisher offers a Russian
// edition only as its own always-latest installer, so with the Russian interface
// language that one is offered for the version the directory states.

#include "catalogue/base_software.h"
#include "catalogue/release_channels.h"

namespace brivane::programs {

namespace {

constexpr const char* kDirectoryPage =
    "https://download.cnet.com/GOM-Player/3000-2139_4-10551786.html";
constexpr const char* kRussianInstaller =
    "https://cdn.gomlab.com/gretech/player/GOMPLAYERRUSSETUP.EXE";

class TGOMPlayer final : public TBaseSoftware {
public:
    TGOMPlayer() : TBaseSoftware("GOM Player", scMultimedia) {}

protected:
    void GetCheckedParams(bool, TLanguage aLanguage, TCheckedParams& aParams) override {
        TakeCNetInfo(kDirectoryPage, aParams);
        if (aLanguage == lRussian && !aParams.AvailableVersion.empty()) {
            aParams.DownloadURL = kRussianInstaller;
        }
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeGOMPlayer() {
    return std::make_unique<TGOMPlayer>();
}

} // namespace brivane::programs
