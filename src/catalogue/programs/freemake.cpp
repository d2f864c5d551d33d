// The Freemake programs: the publisher's release file "/releases.ini" has one section
// per program ("[FAC]", "[FMB]", ...) with a quoted Version and OfflineUrl. Each
// program is installed in a folder named after it below the install location, where
// its executable tells the installed version.

#include "catalogue/programs/freemake.h"

#include "catalogue/definition_helpers.h"

namespace brivane::programs {

namespace {

constexpr const char* kReleaseFile = "https://www.freemake.com/releases.ini";

class TFreemakeProgramEntry final : public TBaseSoftware {
public:
    explicit TFreemakeProgramEntry(TFreemakeProgram aProgram)
        : TBaseSoftware(aProgram.Name, scMultimedia), fProgram(std::move(aProgram)) {}

protected:
    void FindApplication() override { FindFirstApplication(*fProgram.InventoryName); }

    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::InstallLocation,
                                      Info().Name() + "\\" + fProgram.Executable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        const auto release = fProgram.Release->Match(GetPageText(kReleaseFile));
        if (release->Success()) {
            aParams.AvailableVersion = GroupText(*release, 1);
            aParams.DownloadURL = GroupText(*release, 2);
        }
    }

private:
    const TFreemakeProgram fProgram;
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeFreemakeProgram(TFreemakeProgram aProgram) {
    return std::make_unique<TFreemakeProgramEntry>(std::move(aProgram));
}

// Between the lines "[^\[]" rather than any character: a section that lacks its
// installer must not borrow the next program's.
std::shared_ptr<IRegex> FreemakeReleasePattern(const char* aSection) {
    return NewRegex(std::string("\\[") + aSection +
                        "\\]\\s+?Version\\s*?=\\s*?\"([\\d.]+)\"[^\\[]+?OfflineUrl\\s*?=\\s*?"
                        "\"([^\"]+?)\"",
                    {TRegCompileOption::rcoSingleLine});
}

} // namespace brivane::programs
