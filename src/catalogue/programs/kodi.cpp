// Kodi: the publisher's download page links the Windows installer on its mirrors
// host, the version in the file name ("kodi-16.1-Jarvis.exe"). The installer's
// registered version can lag behind the program file, which is read instead.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://kodi.tv";
constexpr const char* kDownloadPage = "https://kodi.tv/download";
constexpr const char* kExecutable = "Kodi.exe";

class TKodi final : public TBaseSoftware {
public:
    TKodi() : TBaseSoftware("Kodi", scMultimedia) {}

protected:
    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer =
            NewRegex("href=\"([^<>]+?/windows/win32/kodi-([\\d.]+)-[^<>/\"]+?\\.exe)\"",
                     {TRegCompileOption::rcoIgnoreCase});
        ReadVersionedLink(GetPageText(kDownloadPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeKodi() {
    return std::make_unique<TKodi>();
}

} // namespace brivane::programs
