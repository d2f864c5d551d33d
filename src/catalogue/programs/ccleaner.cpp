// CCleaner: the version comes from the publisher's update service, the installer
// from its download page; the installed version is the file version of the
// program itself.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.piriform.com";
constexpr const char* kUpdateService = "https://www.piriform.com/auto?p=cc";
constexpr const char* kDownloadPage = "https://www.piriform.com/ccleaner/download/standard";
constexpr const char* kExecutable = "CCleaner.exe";

class TCCleaner final : public TBaseSoftware {
public:
    TCCleaner() : TBaseSoftware("CCleaner", scSystem) {}

protected:
    // The installer's idea of the version can lag behind; the executable's is exact.
    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        // "$$$|<build>|5.21.5700|..." or, without the third part, "$$$|<build>|5.21.5700|".
        static const auto version =
            NewRegex("^\\$\\$\\$\\|\\d+?\\|(\\d+?)\\.(\\d+?)\\.(?:(\\d+?)\\.)?(\\d+?)\\|");
        if (const auto match = version->Match(GetPageText(kUpdateService)); match->Success()) {
            std::string third = GroupText(*match, 3);
            aParams.AvailableVersion = GroupText(*match, 1) + "." + GroupText(*match, 2) + "." +
                                       (third.empty() ? "0" : third) + "." + GroupText(*match, 4);
        }
        static const auto link = NewRegex("\"([^<>]+?)\"\\s*?>[^<>]*?start\\s+?the\\s+?download");
        if (const auto match = link->Match(GetPageText(kDownloadPage)); match->Success()) {
            aParams.DownloadURL = AbsoluteLink(kSite, GroupText(*match, 1));
        }
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeCCleaner() {
    return std::make_unique<TCCleaner>();
}

} // namespace brivane::programs
