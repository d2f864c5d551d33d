// Advanced IP Scanner: the program's page on the CNet directory gives the version and
// the installer; when the page states no version, it is read out of the installer
// remotely.

#include "catalogue/base_software.h"
#include "catalogue/release_channels.h"

namespace brivane::programs {

namespace {

constexpr const char* kDirectoryPage =
    "https://download.cnet.com/Advanced-IP-Scanner/3000-2085_4-75415345.html";

class TAdvancedIPScanner final : public TBaseSoftware {
public:
    TAdvancedIPScanner() : TBaseSoftware("Advanced IP Scanner", scInternetNetwork) {}

protected:
    // "Advanced IP Scanner 2.4" or the name alone.
    void FindApplication() override {
        static const auto name = NewRegex("^Advanced\\s+?IP\\s+?Scanner(?:\\s[\\d.]+|$)",
                                          {TRegCompileOption::rcoSingleLine});
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        TakeCNetInfo(kDirectoryPage, aParams);
        ProbeInstallerVersion(aParams, TProbeWhen::VersionMissing);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeAdvancedIPScanner() {
    return std::make_unique<TAdvancedIPScanner>();
}

} // namespace brivane::programs
