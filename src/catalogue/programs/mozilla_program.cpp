// Mozilla's programs: the page of all builds lists, per language, a cell of class
// "download win" holding the link to the Windows installer of that language
// ("...?product=firefox-47.0-SSL&amp;os=win&amp;lang=ru"). The user's interface
// language picks Russian or American English; the version is in the link.

#include "catalogue/programs/mozilla_program.h"

#include "catalogue/definition_helpers.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

class TMozillaProgramEntry final : public TBaseSoftware {
public:
    explicit TMozillaProgramEntry(TMozillaProgram aProgram)
        : TBaseSoftware(aProgram.Name, aProgram.Category), fProgram(std::move(aProgram)) {}

protected:
    void FindApplication() override { FindFirstApplication(*fProgram.InventoryName); }

    void GetCheckedParams(bool, TLanguage aLanguage, TCheckedParams& aParams) override {
        const IRegex& link =
            aLanguage == lRussian ? *fProgram.RussianInstaller : *fProgram.EnglishInstaller;
        const auto match = link.Match(GetPageText(fProgram.AllBuildsPage));
        if (!match->Success()) {
            return;
        }
        const std::string version = GroupText(*match, 2);
        aParams.AvailableVersion = IsVersionText(version) ? version : std::string();
        aParams.DownloadURL = DecodeAmpersands(GroupText(*match, 1));
    }

private:
    const TMozillaProgram fProgram;
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeMozillaProgram(TMozillaProgram aProgram) {
    return std::make_unique<TMozillaProgramEntry>(std::move(aProgram));
}

std::shared_ptr<IRegex> MozillaInstallerLink(const char* aProduct, const char* aLanguageCode) {
    return NewRegex(std::string("class=\"download\\s+?win\"[^<>]*?>\\s*?<a\\s[^<>]*?href=\"([^<>]+?"
                                "product=") +
                    aProduct + "-([\\d.]+)[^<>]+?os=win[^<>]+?lang=" + aLanguageCode +
                    "[^<>]*?)\"");
}

} // namespace brivane::programs
