// WinRAR: the publisher's download page lists the English installers first, each a
// link whose text names the edition and the version ("WinRAR x64 (64 bit) 5.40").
// The Russian edition registers itself as "Архиватор WinRAR". Its installer does not
// always update the inventory's version; the executable's file version wins when newer.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.rarlab.com";
constexpr const char* kDownloadPage = "https://www.rarlab.com/download.htm";
constexpr const char* kExecutable = "WinRAR.exe";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TWinRAR final : public TBaseSoftware {
public:
    TWinRAR() : TBaseSoftware("WinRAR", scSystem, slShareware) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^WinRAR\\s+?[\\d.]+");
        static const auto russianName = NewRegex("^Архиватор\\s+?WinRAR");
        if (!FindFirstApplication(*name)) {
            FindFirstApplication(*russianName);
        }
    }

    std::string GetCurrentVersion() override {
        return NewerFileVersion(TInstalledFolder::UninstallFolder, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer64 = NewRegex(
            "<a\\s+?href=\"([^<>]+?)\">(?:\\s*<[^<>]+?>\\s*)*?WinRAR\\s+?x64\\s+?\\(64\\s+?bit\\)"
            "\\s+?([\\d.]+)",
            kHtml);
        static const auto installer32 = NewRegex(
            "<a\\s+?href=\"([^<>]+?)\">(?:\\s*<[^<>]+?>\\s*)*?WinRAR\\s+?x86\\s+?\\(32\\s+?bit\\)"
            "\\s+?([\\d.]+)",
            kHtml);
        const auto& installer = Context().IsWindows64() ? installer64 : installer32;
        ReadVersionedLink(GetPageText(kDownloadPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeWinRAR() {
    return std::make_unique<TWinRAR>();
}

} // namespace brivane::programs
