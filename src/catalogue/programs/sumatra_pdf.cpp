// SumatraPDF: the program's own update check reads a small file of the publisher
// ("[SumatraPDF]" then "Latest 3.1.2"); the installer of that release sits on the
// publisher's download path under a name that carries the version
// ("SumatraPDF-3.1.2-install.exe"). The installer registers "SumatraPDF".

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kVersionFile = "https://www.sumatrapdfreader.org/update-check-rel.txt";
constexpr const char* kInstallers = "https://www.sumatrapdfreader.org/dl/SumatraPDF-";

class TSumatraPDF final : public TBaseSoftware {
public:
    TSumatraPDF() : TBaseSoftware("SumatraPDF", scOffice) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^SumatraPDF(?:\\s|$)");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto latest =
            NewRegex("^Latest\\s+?([\\d.]+)\\s*?$", {TRegCompileOption::rcoMultiLine});
        const std::string version = VersionIn(*latest, ReadVersionFile(*fHTTP, kVersionFile));
        if (version.empty()) {
            return;
        }
        aParams.AvailableVersion = version;
        aParams.DownloadURL = kInstallers + version + "-install.exe";
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeSumatraPDF() {
    return std::make_unique<TSumatraPDF>();
}

} // namespace brivane::programs
