// ThinLinc Client: the download page links the Windows client installer under a name
// that carries the version ("tl-4.6.0-client-windows.exe"). The installer puts the
// version in the display name ("ThinLinc Client 4.6.0").

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.cendio.com";
constexpr const char* kDownloadPage = "https://www.cendio.com/thinlinc/download";

class TThinLincClient final : public TBaseSoftware {
public:
    TThinLincClient() : TBaseSoftware("ThinLinc Client", scInternetNetwork) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^ThinLinc\\s+?Client\\s+?([\\d.]+)");
        FindApplicationWithVersionInName(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer =
            NewRegex("href=\"([^<>]+?/tl-([\\d.]+)-client-windows\\.exe)\"",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        ReadVersionedLink(GetPageText(kDownloadPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeThinLincClient() {
    return std::make_unique<TThinLincClient>();
}

} // namespace brivane::programs
