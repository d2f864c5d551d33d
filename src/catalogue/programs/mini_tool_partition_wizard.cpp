// MiniTool Partition Wizard: the publisher's version file states the current release
// ("9.1"); the installer is offered through the CNet directory. Each installed edition
// registers a name with its version ("MiniTool Partition Wizard Free Edition 9.1"),
// which is taken; the highest installed one counts. Its installer records no icon; the
// program in the install location stands in.

#include "catalogue/base_software.h"
#include "catalogue/release_channels.h"

namespace brivane::programs {

namespace {

constexpr const char* kVersionFile = "https://www.partitionwizard.com/update/version.txt";
constexpr const char* kProductPage =
    "https://download.cnet.com/MiniTool-Partition-Wizard-Free-Edition/3000-2094_4-10962200.html";
constexpr const char* kExecutable = "partitionwizard.exe";

class TMiniToolPartitionWizard final : public TBaseSoftware {
public:
    TMiniToolPartitionWizard() : TBaseSoftware("MiniTool Partition Wizard", scSystem) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex(
            "^MiniTool\\s+?Partition\\s+?Wizard\\s+?(?:Free\\s+?)?(?:Edition\\s+?)?([\\d.]+)");
        FindHighestApplicationWithVersionInName(*name);
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex("^\\s*([\\d.]+)");
        TakeCNetInfoWithVersionFile(*fHTTP, kProductPage, kVersionFile, *version, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeMiniToolPartitionWizard() {
    return std::make_unique<TMiniToolPartitionWizard>();
}

} // namespace brivane::programs
