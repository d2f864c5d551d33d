// Ruby: the RubyInstaller download page lists the installers, newest first, the
// version in the file name ("rubyinstaller-2.3.1.exe", "rubyinstaller-2.3.1-x64.exe").
// The installers register "Ruby 2.3.1-p112-x64", whose version is taken.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://rubyinstaller.org";
constexpr const char* kDownloadPage = "https://rubyinstaller.org/downloads/";

class TRuby final : public TBaseSoftware {
public:
    TRuby() : TBaseSoftware("Ruby", scDevelopment) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^Ruby\\s+?([\\d.]+)");
        FindApplicationWithVersionInName(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer64 =
            NewRegex("href=\"([^<>\"]+?/rubyinstaller-([\\d.]+)-x64\\.exe)\"",
                     {TRegCompileOption::rcoIgnoreCase});
        static const auto installer32 =
            NewRegex("href=\"([^<>\"]+?/rubyinstaller-([\\d.]+)\\.exe)\"",
                     {TRegCompileOption::rcoIgnoreCase});
        ReadVersionedLink(GetPageText(kDownloadPage),
                          Context().IsWindows64() ? *installer64 : *installer32, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeRuby() {
    return std::make_unique<TRuby>();
}

} // namespace brivane::programs
