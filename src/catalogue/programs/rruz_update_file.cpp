#include "catalogue/programs/rruz_update_file.h"

#include "catalogue/page_versions.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

void CheckRRUZUpdateFile(net::THTTPClient& aClient, const std::string& aVersionFile,
                         TCheckedParams& aParams) {
    static constexpr const char* kSite = "https://github.com";
    const TRegCompileOptions xml = {TRegCompileOption::rcoIgnoreCase,
                                    TRegCompileOption::rcoSingleLine};
    static const auto version = NewRegex("<Version>\\s*?(\\d+(?:\\.\\d+)*)\\s*?</Version>", xml);
    static const auto link = NewRegex("<Url>\\s*?([^<>]+?)\\s*?</Url>", xml);
    ReadVersionAndLink(ReadVersionFile(aClient, aVersionFile), *version, *link, kSite, aParams);
}

} // namespace brivane::programs
