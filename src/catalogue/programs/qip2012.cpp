// QIP 2012: the publisher's update file names the version and the installer
// ("[QIP2012]", "Version=4.0.9380", "Url=..."). The installer registers the version in
// the display name ("QIP 2012 4.0.9380"); the installed version is the number at the
// end of the version of the first item named like the program.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://qip.ru";
constexpr const char* kUpdateFile = "https://qip.ru/update/qip2012/update.ini";
constexpr const char* kExecutable = "qip.exe";

const TRegCompileOptions kIni = {TRegCompileOption::rcoMultiLine};

class TQIP2012 final : public TBaseSoftware {
public:
    TQIP2012() : TBaseSoftware("QIP 2012", scInternetNetwork) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^QIP\\s+?2012\\s+?([\\d.]+)");
        FindApplicationWithVersionInName(*name);
    }

    std::string GetCurrentVersion() override {
        static const auto number = NewRegex("([\\d.]+)\\s*?$", {TRegCompileOption::rcoSingleLine});
        std::string version = TBaseSoftware::GetCurrentVersion();
        const TApplicationArray applications = Context().GetInstalledApplications();
        if (!IsInstalled() || !applications) {
            return version;
        }
        for (const TApplicationItem& item : *applications) {
            if (item.Name.find("QIP 2012") != std::string::npos) {
                return FirstGroup(*number, item.Version).value_or(version);
            }
        }
        return version;
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex("^Version\\s*?=\\s*?([\\d.]+)", kIni);
        static const auto installer = NewRegex("^Url\\s*?=\\s*?(\\S+?)\\s*?$", kIni);
        const TRegexSubject file(GetPageText(kUpdateFile));
        ReadVersionAndLink(file, *version, *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeQIP2012() {
    return std::make_unique<TQIP2012>();
}

} // namespace brivane::programs
