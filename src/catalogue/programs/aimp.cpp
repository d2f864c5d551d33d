// AIMP: the download page heads the release with "AIMP v4.10 Build 1827" and lists
// mirrors by their site name; the entry takes the publisher's own mirror ("AIMP.ru").
// The inventory names the program "AIMP" with its major version ("AIMP4") and writes the
// version with a leading "v", or not at all; the executable's file version stands in.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.aimp.ru";
constexpr const char* kDownloadPage = "https://www.aimp.ru/index.php?do=download";

class TAIMP final : public TBaseSoftware {
public:
    TAIMP() : TBaseSoftware("AIMP", scMultimedia) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^AIMP\\d+$", {TRegCompileOption::rcoSingleLine});
        FindFirstApplication(*name);
    }

    // "v4.00" gives 4.00; otherwise the file version of the executable the icon names
    // ("...\AIMP4.exe"), else of the executable beside the uninstaller named like the
    // inventory item.
    std::string GetCurrentVersion() override {
        static const auto prefixed = NewRegex("^v([\\d.]+)");
        static const auto executable =
            NewRegex("\\\\AIMP\\d+?\\.exe$", {TRegCompileOption::rcoIgnoreCase});
        if (auto version = InventoryVersionGroup(*prefixed)) {
            return *version;
        }
        if (!IsInstalled()) {
            return TBaseSoftware::GetCurrentVersion();
        }
        const TApplicationItem& item = fApplication.Value();
        if (executable->IsMatch(item.Icon)) {
            return GetFileVersion(item.Icon);
        }
        std::string version =
            InstalledFileVersion(TInstalledFolder::UninstallFolder, item.Name + ".exe");
        return version.empty() ? TBaseSoftware::GetCurrentVersion() : version;
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto release = NewRegex(">\\s*?AIMP\\s+?v([\\d.]+?)\\s+?Build\\s+?(\\d+)",
                                             {TRegCompileOption::rcoSingleLine});
        static const auto mirror =
            NewRegex("<a\\s[^<>]*?href=\"([^<>]+?)\"[^<>]*?>\\s*?AIMP\\.ru\\s*?<",
                     {TRegCompileOption::rcoSingleLine});
        const TRegexSubject page(GetPageText(kDownloadPage));
        const auto match = release->Match(page);
        if (!match->Success()) {
            return;
        }
        aParams.AvailableVersion = GroupText(*match, 1) + "." + GroupText(*match, 2);
        if (const auto link = FirstGroup(*mirror, page)) {
            aParams.DownloadURL = AbsoluteLink(kSite, *link);
        }
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeAIMP() {
    return std::make_unique<TAIMP>();
}

} // namespace brivane::programs
