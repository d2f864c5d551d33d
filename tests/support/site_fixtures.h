#pragma once
// The publishers' sites as the tests see them: the demo world's sites (data/demo/sites/,
// see demo/demo_sites.h), so that the demo shows what the tests hold the entries to.

#include "demo/demo_sites.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace brivane::test {

using demo::TSiteMode;
inline constexpr std::int64_t kFixtureInstallerSize = demo::kSiteInstallerSize;
inline constexpr const char* kFixtureInstallerDate = demo::kSiteInstallerDate;

// The folder of the sites.
std::filesystem::path SitesFolder();

// Registers the sites' handler; call it after every handler of the test's own, which it
// would otherwise hide. aMode, when given, is read at every request.
void ServeSiteFixtures(httplib::Server& aServer, const std::atomic<TSiteMode>* aMode = nullptr);

// The file of the sites that answers "<host>/<path>", as the handler would find it.
std::filesystem::path SiteFixturePath(std::string_view aHostAndPath);

// The bytes of the sites' file <aHostAndPath>; throws when there is none.
std::string SiteFixture(std::string_view aHostAndPath);

} // namespace brivane::test
