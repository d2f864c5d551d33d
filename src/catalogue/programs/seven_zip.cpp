// 7-Zip: the version and the installers are read from the publisher's home page.
// Its installers register a display name that carries the version ("7-Zip 16.02
// (x64)"), sometimes without a version value, so the version is taken from the name.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "platform/registry.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.7-zip.org";
constexpr const char* kHomePage = "https://www.7-zip.org/";
constexpr const char* kFileManager = "7zFM.exe";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TSevenZip final : public TBaseSoftware {
public:
    TSevenZip() : TBaseSoftware("7-Zip", scSystem) {}

protected:
    // The first application named "7-Zip <version>"; when the name's version differs
    // from the recorded one, the item is corrected, here and in the inventory.
    void FindApplication() override {
        static const auto name = NewRegex("^7-Zip\\s+?([\\d.]+)");
        FindApplicationWithVersionInName(*name);
    }

    // Installers that record no icon: the file manager in the folder the program
    // keeps in the user's settings.
    std::string GetIconLocation() override {
        std::string location = TBaseSoftware::GetIconLocation();
        if (!location.empty()) {
            return location;
        }
        const auto registry = Context().Registry();
        const auto key =
            !registry ? nullptr
                      : registry->OpenKey(platform::TRegistryHive::CurrentUser, "Software\\7-Zip",
                                          platform::TRegistryView::Bits64);
        const auto folder = key ? key->ReadString("Path") : std::nullopt;
        if (folder) {
            const std::string file = JoinWindowsPath(*folder, kFileManager);
            if (Files().FileExists(file)) {
                location = file;
            }
        }
        return location;
    }

    void GetCheckedParams(bool aCheckBetaVersion, TLanguage, TCheckedParams& aParams) override {
        static const auto beta = NewRegex(
            ">\\s*?Download\\s+?7-Zip\\s+?([\\d.]+)\\s+?beta\\s+?\\([\\d-]+?\\)\\s+?for\\s+?"
            "Windows.+?<TABLE[^<>]*?>(.+?)</TABLE>",
            kHtml);
        static const auto stable =
            NewRegex(">\\s*?Download\\s+?7-Zip\\s+?([\\d.]+)\\s+?\\([\\d-]+?\\)\\s+?for\\s+?"
                     "Windows.+?<TABLE[^<>]*?>(.+?)</TABLE>",
                     kHtml);
        static const auto link64 =
            NewRegex("<A\\s+?href=\"([^<>]+?)\">\\s*?Download(?:\\s*<[^<>]+?>\\s*)*?\\.\\w+"
                     "(?:\\s*<[^<>]+?>\\s*)*?64-bit\\s+?x64",
                     kHtml);
        static const auto link32 =
            NewRegex("<A\\s+?href=\"([^<>]+?)\">\\s*?Download(?:\\s*<[^<>]+?>\\s*)*?\\.\\w+"
                     "(?:\\s*<[^<>]+?>\\s*)*?32-bit\\s+?x86",
                     kHtml);

        const TRegexSubject page(GetPageText(kHomePage));
        // A pre-release is offered as long as the page shows one; it is not flagged
        // as such.
        std::shared_ptr<IMatch> release;
        if (aCheckBetaVersion) {
            release = beta->Match(page);
        }
        if (!release || !release->Success()) {
            release = stable->Match(page);
        }
        if (!release->Success()) {
            return;
        }
        aParams.AvailableVersion = GroupText(*release, 1);
        const bool windows64 = Context().IsWindows64();
        const auto download = (windows64 ? link64 : link32)->Match(GroupText(*release, 2));
        if (download->Success()) {
            aParams.DownloadURL = AbsoluteLink(kSite, GroupText(*download, 1));
        }
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeSevenZip() {
    return std::make_unique<TSevenZip>();
}

} // namespace brivane::programs
