// FileZilla Client: the project's page of all client downloads states "The latest
// stable version of FileZilla Client is 3.18.0" and links one installer per
// architecture ("FileZilla_3.18.0_win64-setup.exe", "..._win32-setup.exe").

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://filezilla-project.org";
constexpr const char* kDownloadPage = "https://filezilla-project.org/download.php?show_all=1";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TFileZillaClient final : public TBaseSoftware {
public:
    TFileZillaClient() : TBaseSoftware("FileZilla Client", scInternetNetwork) {}

protected:
    // "FileZilla Client 3.17.0.1"
    void FindApplication() override {
        static const auto name = NewRegex("^FileZilla\\s+?Client\\b");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version =
            NewRegex("latest\\s+?stable\\s+?version\\s+?of\\s+?FileZilla\\s+?Client\\s+?is\\s+?"
                     "(\\d+(?:\\.\\d+)*)\\s*?<",
                     kHtml);
        static const auto link64 =
            NewRegex("href=\"([^<>\"]+?/FileZilla_[\\d.]+_win64-setup\\.exe)\"", kHtml);
        static const auto link32 =
            NewRegex("href=\"([^<>\"]+?/FileZilla_[\\d.]+_win32-setup\\.exe)\"", kHtml);
        const auto& link = Context().IsWindows64() ? link64 : link32;
        ReadVersionAndLink(GetPageText(kDownloadPage), *version, *link, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeFileZillaClient() {
    return std::make_unique<TFileZillaClient>();
}

} // namespace brivane::programs
