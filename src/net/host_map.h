#pragma once
// The host rewrite map: publishers' origins redirected to other bases (loopback
// servers in tests and the offline demo). A JSON object maps an origin
// ("https://www.7-zip.org") to a replacement base
// ("http://127.0.0.1:8080/www.7-zip.org"); the key "*" maps every origin not
// listed, with "{host}" in its value standing for the original host name. The
// transport applies the map to every request it sends, redirects included.

#include "net/uri.h"

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace brivane::net {

class EHostMapError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

class THostMap {
public:
    // aSource names the map in error messages. Throws EHostMapError.
    static THostMap Parse(std::string_view aJson, const std::string& aSource);
    static THostMap LoadFile(const std::filesystem::path& aPath);

    // The address to send for aURL: the mapped base followed by the path and
    // query, or aURL itself when no entry applies. "*" leaves loopback
    // addresses alone, so the mapped servers' own absolute links keep working.
    std::string Rewrite(const TURI& aURL) const;

private:
    std::map<std::string, std::string> fOrigins; // origin -> base without a trailing "/"
    std::optional<std::string> fFallback;        // the "*" entry
};

// The map every request of the process follows. Unless set, it is read once from
// the file that the environment variable BRIVANE_HOSTS names (no variable: no
// map). A file that cannot be read or parsed makes this throw EHostMapError, on
// every call, so that no request silently bypasses a broken map.
std::shared_ptr<const THostMap> CurrentHostMap();

// Replaces the process's map (nullptr: none), as the --hosts option does.
void SetHostMap(std::shared_ptr<const THostMap> aMap);

// Forgets a map set or read before; the next request reads BRIVANE_HOSTS again.
void ResetHostMap();

} // namespace brivane::net
