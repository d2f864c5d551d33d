#include "catalogue/programs/iobit_program.h"

#include "catalogue/release_channels.h"
#include "catalogue/short_version_software.h"

namespace brivane::programs {

namespace {

// Builds of one release differ past the second component: only two count.
class TIObitProgram final : public TShortVersionSoftware {
public:
    TIObitProgram(std::string aName, TSoftwareCategory aCategory,
                  std::shared_ptr<IRegex> aInstalledName, std::string aInstallerURL)
        : TShortVersionSoftware(std::move(aName), aCategory, 2),
          fInstalledName(std::move(aInstalledName)), fInstallerURL(std::move(aInstallerURL)) {}

protected:
    void FindApplication() override { FindFirstApplication(*fInstalledName); }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        TakeProbedInstaller(fInstallerURL, aParams);
    }

private:
    const std::shared_ptr<IRegex> fInstalledName;
    const std::string fInstallerURL;
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeIObitProgram(std::string aName, TSoftwareCategory aCategory,
                                                std::shared_ptr<IRegex> aInstalledName,
                                                std::string aInstallerURL) {
    return std::make_unique<TIObitProgram>(std::move(aName), aCategory, std::move(aInstalledName),
                                           std::move(aInstallerURL));
}

} // namespace brivane::programs
