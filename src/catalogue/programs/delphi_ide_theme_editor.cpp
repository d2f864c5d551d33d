// Delphi IDE Theme Editor: the author's update file names the latest version and its
// installer. The installed version and the icon come from the program's executable in
// the install location.

#include "catalogue/base_software.h"
#include "catalogue/programs/rruz_update_file.h"

namespace brivane::programs {

namespace {

constexpr const char* kVersionFile =
    "https://raw.githubusercontent.com/RRUZ/delphi-ide-theme-editor/master/Update/Version.xml";
constexpr const char* kExecutable = "DITE.exe";

class TDelphiIDEThemeEditor final : public TBaseSoftware {
public:
    TDelphiIDEThemeEditor() : TBaseSoftware("Delphi IDE Theme Editor", scDevelopment) {}

protected:
    // "Delphi IDE Theme Editor" or "Delphi IDE Theme Editor version 1.1.18.0"
    void FindApplication() override {
        static const auto name = NewRegex("^Delphi\\s+?IDE\\s+?Theme\\s+?Editor\\b");
        FindFirstApplication(*name);
    }

    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::InstallLocation, kExecutable);
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        CheckRRUZUpdateFile(*fHTTP, kVersionFile, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeDelphiIDEThemeEditor() {
    return std::make_unique<TDelphiIDEThemeEditor>();
}

} // namespace brivane::programs
