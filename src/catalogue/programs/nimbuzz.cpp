// Nimbuzz: the publisher's download link for Windows always serves the latest release
// by redirecting to the installer, whose file name carries the version
// ("Nimbuzz-2.9.3-setup.exe").

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kDownloadLink = "https://www.nimbuzz.com/download/pc";

class TNimbuzz final : public TBaseSoftware {
public:
    TNimbuzz() : TBaseSoftware("Nimbuzz", scInternetNetwork) {}

protected:
    // "Nimbuzz 2.9.3"
    void FindApplication() override {
        static const auto name = NewRegex("^Nimbuzz\\b");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version =
            NewRegex("Nimbuzz[-_]([\\d.]+)[-_.][^/]*$", {TRegCompileOption::rcoIgnoreCase});
        aParams.DownloadURL = RedirectLocation(*fHTTP, kDownloadLink);
        aParams.AvailableVersion = VersionIn(*version, aParams.DownloadURL);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeNimbuzz() {
    return std::make_unique<TNimbuzz>();
}

} // namespace brivane::programs
