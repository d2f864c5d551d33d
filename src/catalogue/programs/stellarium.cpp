// Stellarium: the project's home page links one installer per architecture on the
// SourceForge download host, the version in the file name
// ("stellarium-0.15.0-win32.exe", "stellarium-0.15.0-win64.exe").

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://stellarium.org";
constexpr const char* kHomePage = "https://stellarium.org/";

class TStellarium final : public TBaseSoftware {
public:
    TStellarium() : TBaseSoftware("Stellarium", scScienceEducation) {}

protected:
    // "Stellarium 0.15.0"
    void FindApplication() override {
        static const auto name = NewRegex("^Stellarium\\b");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer64 =
            NewRegex("href=\"([^<>\"]+?/stellarium-([\\d.]+)-win64\\.exe[^<>\"]*?)\"",
                     {TRegCompileOption::rcoIgnoreCase});
        static const auto installer32 =
            NewRegex("href=\"([^<>\"]+?/stellarium-([\\d.]+)-win32\\.exe[^<>\"]*?)\"",
                     {TRegCompileOption::rcoIgnoreCase});
        ReadVersionedLink(GetPageText(kHomePage),
                          Context().IsWindows64() ? *installer64 : *installer32, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeStellarium() {
    return std::make_unique<TStellarium>();
}

} // namespace brivane::programs
