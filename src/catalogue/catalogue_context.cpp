#include "catalogue/catalogue_context.h"

namespace brivane {

namespace {

class TEmptyCatalogueContext final : public ICatalogueContext {
public:
    std::vector<TApplicationItem> GetApplicationsByName(std::string_view) const override {
        return {};
    }
    TApplicationArray GetInstalledApplications() const override {
        return std::make_shared<const std::vector<TApplicationItem>>();
    }
    void ReplaceInstalledApplication(const TApplicationArray&, std::size_t,
                                     const TApplicationItem&) override {}
    bool IsWindows64() const override { return false; }
    TOSInformation SystemInfo() const override { return {}; }
    std::shared_ptr<const platform::IRegistry> Registry() const override { return nullptr; }
    platform::TWindowsPathResolver Files() const override { return {}; }
};

} // namespace

ICatalogueContext& EmptyCatalogueContext() {
    static TEmptyCatalogueContext context;
    return context;
}

} // namespace brivane
