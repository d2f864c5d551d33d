// CDBurnerXP: the publisher's PAD file names the version and the installer. The icon is
// the program's executable beside the install location's folder whenever it is there.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://cdburnerxp.se";
constexpr const char* kPadFile = "https://cdburnerxp.se/rss/padfile.xml";
constexpr const char* kExecutable = "cdbxpp.exe";

const TRegCompileOptions kPad = {TRegCompileOption::rcoIgnoreCase,
                                 TRegCompileOption::rcoSingleLine};

class TCDBurnerXP final : public TBaseSoftware {
public:
    TCDBurnerXP() : TBaseSoftware("CDBurnerXP", scMultimedia) {}

protected:
    std::string GetIconLocation() override {
        std::string location = InstalledFile(TInstalledFolder::InstallLocationCut, kExecutable);
        return location.empty() ? TBaseSoftware::GetIconLocation() : location;
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex("<Program_Version>([\\d.]+?)</Program_Version>", kPad);
        static const auto installer =
            NewRegex("<Primary_Download_URL>(.+?)</Primary_Download_URL>", kPad);
        const TRegexSubject pad(GetPageText(kPadFile));
        ReadVersionAndLink(pad, *version, *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeCDBurnerXP() {
    return std::make_unique<TCDBurnerXP>();
}

} // namespace brivane::programs
