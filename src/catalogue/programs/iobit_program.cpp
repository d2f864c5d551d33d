#include "catalogue/programs/iobit_program.h"

#include "catalogue/release_channels.h"

namespace brivane::programs {

namespace {

class TIObitProgram final : public TBaseSoftware {
public:
    TIObitProgram(std::string aName, TSoftwareCategory aCategory,
                  std::shared_ptr<IRegex> aInstalledName, std::string aInstallerURL)
        : TBaseSoftware(std::move(aName), aCategory), fInstalledName(std::move(aInstalledName)),
          fInstallerURL(std::move(aInstallerURL)) {}

    int CompareVersions(const std::string& aCurrent, const std::string& aAvailable, int) override {
        return TBaseSoftware::CompareVersions(aCurrent, aAvailable, 2);
    }

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
