#include "support/site_fixtures.h"

#include "support/temp_dir.h"

#include <stdexcept>

namespace brivane::test {

std::filesystem::path SitesFolder() {
    return std::filesystem::path(BRIVANE_DEMO_DIR) / "sites";
}

void ServeSiteFixtures(httplib::Server& aServer, const std::atomic<TSiteMode>* aMode) {
    demo::ServeSites(aServer, {SitesFolder()}, aMode);
}

std::filesystem::path SiteFixturePath(std::string_view aHostAndPath) {
    return demo::SiteFilePath(SitesFolder(), aHostAndPath);
}

std::string SiteFixture(std::string_view aHostAndPath) {
    const std::filesystem::path file = SitesFolder() / std::string(aHostAndPath);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        throw std::runtime_error("no site fixture " + file.string());
    }
    return ReadAll(file);
}

} // namespace brivane::test
