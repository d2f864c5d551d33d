// OpenOffice.org: the publisher's download script sets the current release
// ("DL.VERSION = "4.1.2";"); the installers lie on the SourceForge mirror under names
// built from it and the language ("Apache_OpenOffice_4.1.2_Win_x86_install_ru.exe").
// Older installers register "OpenOffice.org 3.4", newer ones "OpenOffice 4.1.2".

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kVersionScript = "https://www.openoffice.org/download/globalvars.js";
constexpr const char* kMirror = "https://downloads.sourceforge.net/project/openofficeorg.mirror/";

class TOpenOffice final : public TBaseSoftware {
public:
    TOpenOffice() : TBaseSoftware("OpenOffice.org", scOffice) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^OpenOffice(?:\\.org)?\\s+?[\\d.]+");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage aLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex("DL\\.VERSION\\s*?=\\s*?[\"']([\\d.]+)[\"']");
        const std::string code = aLanguage == lRussian ? "ru" : "en-US";
        aParams.AvailableVersion = VersionIn(*version, ReadVersionFile(*fHTTP, kVersionScript));
        if (aParams.AvailableVersion.empty()) {
            return;
        }
        const std::string& v = aParams.AvailableVersion;
        aParams.DownloadURL = std::string(kMirror) + v + "/binaries/" + code +
                              "/Apache_OpenOffice_" + v + "_Win_x86_install_" + code + ".exe";
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeOpenOffice() {
    return std::make_unique<TOpenOffice>();
}

} // namespace brivane::programs
