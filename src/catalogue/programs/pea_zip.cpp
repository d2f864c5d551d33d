// PeaZip: the publisher's home page links one installer per architecture on the
// SourceForge download host, the version in the file name ("peazip-6.0.2.WINDOWS.exe",
// "peazip-6.0.2.WIN64.exe"). The installers register "PeaZip 6.0.2" or "PeaZip 6.0.2
// (WIN64)"; the highest installed one counts. They record no icon: the program in the
// install location stands in.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.peazip.org";
constexpr const char* kHomePage = "https://www.peazip.org/";
constexpr const char* kExecutable = "peazip.exe";

class TPeaZip final : public TBaseSoftware {
public:
    TPeaZip() : TBaseSoftware("PeaZip", scSystem) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^PeaZip\\b");
        FindHighestApplication(*name, THighestFrom::Held);
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer64 =
            NewRegex("href=\"([^<>\"]+?/peazip-([\\d.]+)\\.WIN64\\.exe[^<>\"]*?)\"");
        static const auto installer32 =
            NewRegex("href=\"([^<>\"]+?/peazip-([\\d.]+)\\.WINDOWS\\.exe[^<>\"]*?)\"");
        ReadVersionedLink(GetPageText(kHomePage),
                          Context().IsWindows64() ? *installer64 : *installer32, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakePeaZip() {
    return std::make_unique<TPeaZip>();
}

} // namespace brivane::programs
