// Media Player Classic (MPC-HC): the publisher's version file names the release
// ("1.7.10"), whose installers lie on the binaries host under names built from it;
// the nightly builds page lists pre-releases ("MPC-HC.1.7.10.252.x64.exe", newest
// first), offered only when newer than the release.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/release_channels.h"

namespace brivane::programs {

namespace {

constexpr const char* kVersionFile = "https://mpc-hc.org/version.txt";
constexpr const char* kBinaries = "https://binaries.mpc-hc.org/";
constexpr const char* kNightlySite = "https://nightly.mpc-hc.org";
constexpr const char* kNightlyPage = "https://nightly.mpc-hc.org/";

class TMediaPlayerClassic final : public TBaseSoftware {
public:
    TMediaPlayerClassic() : TBaseSoftware("Media Player Classic", scMultimedia) {}

protected:
    // "MPC-HC 1.7.10 (64-bit)" and the like.
    void FindApplication() override {
        static const auto name = NewRegex("^MPC-HC\\b", {TRegCompileOption::rcoSingleLine});
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool aCheckBetaVersion, TLanguage, TCheckedParams& aParams) override {
        aParams = CheckRelease();
        if (aCheckBetaVersion) {
            aParams = NewerRelease(*this, aParams, CheckPreRelease(), TTieGoesTo::Stable);
        }
    }

private:
    TCheckedParams CheckRelease() {
        static const auto number = NewRegex("^\\s*([\\d.]+)");
        TCheckedParams release;
        const auto version = FirstGroup(*number, GetPageText(kVersionFile));
        if (!version) {
            return release;
        }
        release.AvailableVersion = *version;
        const std::string& v = *version;
        release.DownloadURL =
            std::string(kBinaries) +
            (Context().IsWindows64()
                 ? "MPC%20HomeCinema%20-%20x64/MPC-HC_v" + v + "_x64/MPC-HC." + v + ".x64.exe"
                 : "MPC%20HomeCinema%20-%20Win32/MPC-HC_v" + v + "_x86/MPC-HC." + v + ".x86.exe");
        return release;
    }

    TCheckedParams CheckPreRelease() {
        static const auto x64 = NewRegex("href=\"([^<>]+?MPC-HC\\.([\\d.]+?)\\.x64\\.exe)\"",
                                         {TRegCompileOption::rcoIgnoreCase});
        static const auto x86 = NewRegex("href=\"([^<>]+?MPC-HC\\.([\\d.]+?)\\.x86\\.exe)\"",
                                         {TRegCompileOption::rcoIgnoreCase});
        TCheckedParams preRelease;
        TakeRelease(Context().IsWindows64() ? *x64 : *x86, GetPageText(kNightlyPage), kNightlySite,
                    preRelease);
        preRelease.IsBeta = true;
        return preRelease;
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeMediaPlayerClassic() {
    return std::make_unique<TMediaPlayerClassic>();
}

} // namespace brivane::programs
