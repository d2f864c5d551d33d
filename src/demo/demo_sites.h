#pragma once
// The publishers' sites of the demo world: files mirrored by host and path (data/demo/
// sites/), served by one handler on a loopback server that the host map
// {"*": "<origin>/{host}"} puts in front of every origin. The catalogue's tests serve the
// same files, so the demo shows what the entries are tested against.
//
// A request for /<host>/<path>?<query> is answered with the first file that exists, in
// the first of the folders that has one, of
//   <folder>/<host>/<path>@<query>   (the query exactly as sent)
//   <folder>/<host>/<path>
// where an empty path, one ending in "/" or one naming a folder names "index.html" in
// that folder. A file <name>.location beside it answers with a 302 to the address it
// holds instead. Installer addresses (.exe, .msi, .zip, .dmg) without a file of their own
// get kSiteInstallerSize bytes; every installer address is last modified at
// kSiteInstallerDate. Anything else is a 404. GET and HEAD are served (HEAD without the
// body, ranges honoured); POST is answered from <folder>/<host>/<path>@POST, or, where
// the file <path>@POST-FIELD names a field of the form, from <path>@<the field's value>.

#include <httplib.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace brivane::demo {

inline constexpr std::int64_t kSiteInstallerSize = 2048;
inline constexpr const char* kSiteInstallerDate = "Wed, 01 May 2024 10:00:00 GMT";

// What the sites answer: their files, or, to show that entries survive it, an empty page
// or 256 KiB of noise (several times a large real page) for every page.
enum class TSiteMode { Files, EmptyPages, Noise };

// Registers the handler for aFolders, the first folder with a file for an address
// answering it; call it after every handler of one's own, which it would otherwise
// hide. aMode, when given, is read at every request.
void ServeSites(httplib::Server& aServer, std::vector<std::filesystem::path> aFolders,
                const std::atomic<TSiteMode>* aMode = nullptr);

// The file of aFolder that answers "<host>/<path>[?<query>]", as the handler would find
// it; empty when there is none.
std::filesystem::path SiteFilePath(const std::filesystem::path& aFolder,
                                   std::string_view aHostAndPath);

} // namespace brivane::demo
