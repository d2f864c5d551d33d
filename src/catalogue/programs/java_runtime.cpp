// Java: the manual download page names the recommended release ("Recommended Version 8
// Update 101") and links the offline installers ("Windows Offline", "Windows Offline
// (64-bit)"). It serves that page only to desktop browsers, so the entry's client
// presents itself as one. Several updates can be installed side by side; the highest
// is the installed copy.

#include "catalogue/programs/java_runtime.h"

#include "catalogue/definition_helpers.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.java.com";
constexpr const char* kManualPage = "https://www.java.com/en/download/manual.jsp";
constexpr const char* kBrowserAgent =
    "Mozilla/5.0 (Windows NT 6.2; WOW64) AppleWebKit/537.22 (KHTML, like Gecko) "
    "Chrome/25.0.1364.29 Safari/537.22";

// "8" and "101" as the installed runtime reports its version: "8.0.1010". Nothing
// when the update is not a number that fits.
std::optional<std::string> InstalledForm(const std::string& aMajor, const std::string& aUpdate) {
    int update = 0;
    const auto [end, error] =
        std::from_chars(aUpdate.data(), aUpdate.data() + aUpdate.size(), update);
    if (error != std::errc() || end != aUpdate.data() + aUpdate.size()) {
        return std::nullopt;
    }
    char tail[32];
    std::snprintf(tail, sizeof tail, ".%d.%.2d%d", 0, update, 0);
    return aMajor + tail;
}

class TJavaRuntime final : public TBaseSoftware {
public:
    explicit TJavaRuntime(TJavaRuntimeEdition aEdition)
        : TBaseSoftware(aEdition.Name, scInternetNetwork), fEdition(std::move(aEdition)) {}

protected:
    // The highest update of this edition; an item held from an earlier look stays
    // unless a higher one is found.
    void FindApplication() override {
        FindHighestApplication(*fEdition.InventoryName, THighestFrom::Held);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto recommended =
            NewRegex(">\\s*?Recommended\\s+?Version\\s+?(\\d+?)\\s+?Update\\s+?(\\d+)");
        fHTTP->SetUserAgent(kBrowserAgent);
        const TRegexSubject page(GetPageText(kManualPage));
        const auto release = recommended->Match(page);
        if (!release->Success()) {
            return;
        }
        const auto version = InstalledForm(GroupText(*release, 1), GroupText(*release, 2));
        if (!version) {
            return;
        }
        aParams.AvailableVersion = *version;
        if (const auto link = FirstGroup(*fEdition.OfflineLink, page)) {
            aParams.DownloadURL = AbsoluteLink(kSite, *link);
        }
    }

private:
    const TJavaRuntimeEdition fEdition;
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeJavaRuntime(TJavaRuntimeEdition aEdition) {
    return std::make_unique<TJavaRuntime>(std::move(aEdition));
}

} // namespace brivane::programs
