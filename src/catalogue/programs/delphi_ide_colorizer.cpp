// Delphi IDE Colorizer: the author's update file names the latest version and its
// installer.

#include "catalogue/base_software.h"
#include "catalogue/programs/rruz_update_file.h"

namespace brivane::programs {

namespace {

constexpr const char* kVersionFile =
    "https://raw.githubusercontent.com/RRUZ/Delphi-IDE-Colorizer/master/Update/Version.xml";

class TDelphiIDEColorizer final : public TBaseSoftware {
public:
    TDelphiIDEColorizer() : TBaseSoftware("Delphi IDE Colorizer", scDevelopment) {}

protected:
    // "Delphi IDE Colorizer" or "Delphi IDE Colorizer 1.0.0.90"
    void FindApplication() override {
        static const auto name = NewRegex("^Delphi\\s+?IDE\\s+?Colorizer\\b");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        CheckRRUZUpdateFile(*fHTTP, kVersionFile, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeDelphiIDEColorizer() {
    return std::make_unique<TDelphiIDEColorizer>();
}

} // namespace brivane::programs
