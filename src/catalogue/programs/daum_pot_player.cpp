// Daum PotPlayer: the publisher's page states "Version 1.6.62949" and links the
// latest installers ("PotPlayerSetup.exe", "PotPlayerSetup64.exe"). Older installers
// register "Daum PotPlayer 1.6.62949" without a version value, newer ones "PotPlayer"
// or "PotPlayer-64 Bits"; without a version the program's history file, whose
// entries begin with "[1.6.62949]", tells it.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/page_versions.h"
#include "platform/files.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://potplayer.daum.net";
constexpr const char* kHomePage = "https://potplayer.daum.net/";
constexpr const char* kHistoryFiles[] = {"History.txt", "History\\English.txt"};
// A history file is a few hundred kilobytes; anything far larger is not one.
constexpr std::size_t kMaxHistorySize = 16 << 20;

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TDaumPotPlayer final : public TBaseSoftware {
public:
    TDaumPotPlayer() : TBaseSoftware("Daum PotPlayer", scMultimedia) {}

protected:
    void FindApplication() override {
        static const auto versioned = NewRegex("^Daum\\s+?PotPlayer\\s+?([\\d.]+)");
        static const auto unversioned = NewRegex("^Potplayer(?:-64 Bits)?$");
        FindApplicationWithVersionInName(*versioned, unversioned.get());
    }

    std::string GetCurrentVersion() override {
        static const auto entry = NewRegex("\\[([\\d.]+?)\\]", {TRegCompileOption::rcoSingleLine});
        std::string version = TBaseSoftware::GetCurrentVersion();
        if (!version.empty()) {
            return version;
        }
        for (const char* name : kHistoryFiles) {
            const std::string file = InstalledFile(TInstalledFolder::IconFolder, name);
            const auto local = file.empty() ? std::nullopt : Files().Resolve(file);
            if (!local) {
                continue;
            }
            const auto text = platform::ReadFileBytes(*local, kMaxHistorySize);
            return text ? FirstGroup(*entry, *text).value_or("") : std::string();
        }
        return version;
    }

    // The player's executable beside the uninstaller; the inventory's icon when there
    // is none.
    std::string GetIconLocation() override {
        static const auto player =
            NewRegex("\\\\PotPlayer[^\\\\]*?\\.exe$", {TRegCompileOption::rcoSingleLine});
        std::string location = FindInstalledFile(TInstalledFolder::UninstallFolder, *player);
        return location.empty() ? TBaseSoftware::GetIconLocation() : location;
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(">\\s*?Version\\s+?([\\d.]+)", kHtml);
        static const auto installer64 =
            NewRegex("href=\"([^<>]+?/PotPlayerSetup64\\.exe)\"", kHtml);
        static const auto installer32 = NewRegex("href=\"([^<>]+?/PotPlayerSetup\\.exe)\"", kHtml);
        const TRegexSubject page(GetPageText(kHomePage));
        const auto& installer = Context().IsWindows64() ? installer64 : installer32;
        ReadVersionAndLink(page, *version, *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeDaumPotPlayer() {
    return std::make_unique<TDaumPotPlayer>();
}

} // namespace brivane::programs
