// Dernholt, the maker's own program: its version and installer come from the
// JSON manifest on the maker's update server.

#include "base/json_path.h"
#include "catalogue/base_software.h"

namespace brivane::programs {

namespace {

constexpr const char* kManifestURL = "https://update.brivane.app/download/dernholt/version.json";

class TDernholt final : public TBaseSoftware {
public:
    TDernholt() : TBaseSoftware("Dernholt", scInternetNetwork) {}

protected:
    // {"version": "2.1.0", "url": {"install": "https://.../setup.exe"}}
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        const auto manifest = ParseJson(GetPageText(kManifestURL));
        if (!manifest || !manifest->is_object()) {
            return;
        }
        aParams.AvailableVersion = JsonText(*manifest, "version");
        if (const auto* url = FindJsonMember(*manifest, "url"); url && url->is_object()) {
            aParams.DownloadURL = JsonText(*url, "install");
        }
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeDernholt() {
    return std::make_unique<TDernholt>();
}

} // namespace brivane::programs
