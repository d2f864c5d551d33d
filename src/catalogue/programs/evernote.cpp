// Evernote: the publisher's download link always serves the latest release by
// redirecting to the installer, whose file name carries the version
// ("Evernote_6.1.2.2292.exe"). The installer registers "Evernote v. 6.1.2"; its
// version value can lag behind the program file, which wins when it is newer.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kDownloadLink = "https://evernote.com/download/get.php?file=Win";
constexpr const char* kExecutable = "Evernote.exe";

class TEvernote final : public TBaseSoftware {
public:
    TEvernote() : TBaseSoftware("Evernote", scOffice) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^Evernote(?:\\s+?v\\.?\\s*?[\\d.]+)?$");
        FindHighestApplication(*name, THighestFrom::Held);
    }

    std::string GetCurrentVersion() override {
        return NewerFileVersion(TInstalledFolder::InstallLocationCut, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version =
            NewRegex("Evernote_([\\d.]+)\\.exe",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        aParams.DownloadURL = RedirectLocation(*fHTTP, kDownloadLink);
        aParams.AvailableVersion = VersionIn(*version, aParams.DownloadURL);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeEvernote() {
    return std::make_unique<TEvernote>();
}

} // namespace brivane::programs
