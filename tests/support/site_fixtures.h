#pragma once
// The publishers' sites as the tests see them: files under tests/fixtures/sites/,
// mirrored by host and path, served by one handler on a loopback server that the host
// map {"*": "<origin>/{host}"} puts in front of every origin.
//
// A request for /<host>/<path>?<query> is answered with the first file that exists of
//   sites/<host>/<path>@<query>   (the query exactly as sent)
//   sites/<host>/<path>
// where an empty path, one ending in "/" or one naming a folder names "index.html" in
// that folder. A file
// <name>.location beside it answers with a 302 to the address it holds instead.
// Installer addresses (.exe, .msi, .zip, .dmg) without a file of their own get
// kFixtureInstallerSize bytes, last modified at kFixtureInstallerDate; anything else is
// a 404. GET and HEAD are served (HEAD without the body, ranges honoured); POST is
// answered from sites/<host>/<path>@POST.

#include <httplib.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace brivane::test {

inline constexpr std::int64_t kFixtureInstallerSize = 2048;
inline constexpr const char* kFixtureInstallerDate = "Wed, 01 May 2024 10:00:00 GMT";

// What the sites answer: their fixtures, or, to show that entries survive it, an empty
// page or 2 MB of noise for every page.
enum class TSiteMode { Fixtures, EmptyPages, Noise };

// Registers the handler; call it after every handler of the test's own, which it
// would otherwise hide. aMode, when given, is read at every request.
void ServeSiteFixtures(httplib::Server& aServer, const std::atomic<TSiteMode>* aMode = nullptr);

// The file of sites/ that answers "<host>/<path>", as the handler would find it.
std::filesystem::path SiteFixturePath(std::string_view aHostAndPath);

// The bytes of tests/fixtures/sites/<aHostAndPath>; throws when there is none.
std::string SiteFixture(std::string_view aHostAndPath);

} // namespace brivane::test
