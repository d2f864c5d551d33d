// Telegram: the publisher's download links always serve the latest build by
// redirecting to the installer, whose (URL-encoded) file name carries the version
// ("tsetup.0.9.56.exe"). Pre-releases come from the same link with "dev=1" or, when
// that one serves no file, "alpha=1"; when both channels are checked the pre-release
// is taken only if it is newer.

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"
#include "net/uri.h"

namespace brivane::programs {

namespace {

constexpr const char* kStableLink = "https://tdesktop.com/win/current";
constexpr const char* kDevLink = "https://tdesktop.com/win/current?dev=1";
constexpr const char* kAlphaLink = "https://tdesktop.com/win/current?alpha=1";

class TTelegram final : public TBaseSoftware {
public:
    TTelegram() : TBaseSoftware("Telegram", scInternetNetwork) {}

protected:
    // "Telegram Desktop version 0.9.56"
    void FindApplication() override {
        static const auto name = NewRegex("^Telegram\\s+?Desktop");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool aCheckBetaVersion, TLanguage, TCheckedParams& aParams) override {
        aParams = CheckStableVersion();
        if (!aCheckBetaVersion) {
            return;
        }
        TCheckedParams beta = CheckBetaVersion();
        // The stable release on a tie.
        if (CompareVersions(beta.AvailableVersion, aParams.AvailableVersion, 4) > 0) {
            aParams = std::move(beta);
        }
    }

private:
    TCheckedParams CheckStableVersion() { return ReleaseAt(RedirectLocation(*fHTTP, kStableLink)); }

    // The first pre-release link whose installer the server reports with a size.
    TCheckedParams CheckBetaVersion() {
        for (const char* link : {kDevLink, kAlphaLink}) {
            const std::string installer = RedirectLocation(*fHTTP, link);
            if (!installer.empty() && GetRemoteFileInfo(installer).Item2() > 0) {
                TCheckedParams release = ReleaseAt(installer);
                release.IsBeta = true;
                return release;
            }
        }
        return {};
    }

    // The release an installer address names.
    static TCheckedParams ReleaseAt(const std::string& aInstaller) {
        static const auto version = NewRegex("\\.([\\d.]+)\\.", {TRegCompileOption::rcoSingleLine});
        TCheckedParams release;
        release.DownloadURL = aInstaller;
        release.AvailableVersion = VersionIn(*version, net::URLDecode(aInstaller));
        return release;
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeTelegram() {
    return std::make_unique<TTelegram>();
}

} // namespace brivane::programs
