#pragma once
// The update file of Rodrigo Ruz's Delphi IDE tools: an XML document in each project's
// repository that names the latest version ("<Version>1.1.20.0</Version>") and its
// installer ("<Url>...</Url>").

#include "catalogue/checked_params.h"
#include "net/http_client.h"

#include <string>

namespace brivane::programs {

// The version and installer the update file at aVersionFile names; the installer only
// together with a version.
void CheckRRUZUpdateFile(net::THTTPClient& aClient, const std::string& aVersionFile,
                         TCheckedParams& aParams);

} // namespace brivane::programs
