// Trillian: the publisher's download link for Windows always answers with a redirect to
// the latest installer, whose file name carries the version ("trillian-v6.0.0.9.exe").
// The executable beside the icon file tells the installed version.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kDownloadLink = "https://www.trillian.im/get/windows/";
constexpr const char* kExecutable = "Trillian.exe";

class TTrillian final : public TBaseSoftware {
public:
    TTrillian() : TBaseSoftware("Trillian", scInternetNetwork) {}

protected:
    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::IconFolder, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version =
            NewRegex("trillian-v([\\d.]+?)\\.exe", {TRegCompileOption::rcoIgnoreCase});
        const std::string location = RedirectLocation(*fHTTP, kDownloadLink);
        if (const auto found = FirstGroup(*version, location)) {
            aParams.AvailableVersion = *found;
            aParams.DownloadURL = location;
        }
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeTrillian() {
    return std::make_unique<TTrillian>();
}

} // namespace brivane::programs
