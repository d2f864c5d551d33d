// EaseUS Partition Master: the publisher's PAD file of the free edition names the
// version and the installer. The installer registers the version in the display name
// ("EaseUS Partition Master 11.5 Free Edition"); the installed version is the file
// version of the program's main executable in its "bin" folder.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.easeus.com";
constexpr const char* kPadFile = "https://www.easeus.com/pad/epm-free.xml";
constexpr const char* kExecutable = "bin\\Main.exe";

const TRegCompileOptions kPad = {TRegCompileOption::rcoIgnoreCase,
                                 TRegCompileOption::rcoSingleLine};

class TEaseUSPartitionMaster final : public TBaseSoftware {
public:
    TEaseUSPartitionMaster() : TBaseSoftware("EaseUS Partition Master", scSystem) {}

protected:
    void FindApplication() override {
        static const auto name =
            NewRegex("^EaseUS\\s+?Partition\\s+?Master\\s+?(\\d+(?:\\.\\d+)*)");
        FindApplicationWithVersionInName(*name);
    }

    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex("<Program_Version>([\\d.]+?)</Program_Version>", kPad);
        static const auto installer =
            NewRegex("<Primary_Download_URL>(.+?)</Primary_Download_URL>", kPad);
        ReadVersionAndLink(GetPageText(kPadFile), *version, *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeEaseUSPartitionMaster() {
    return std::make_unique<TEaseUSPartitionMaster>();
}

} // namespace brivane::programs
