#pragma once
// ESET's home products: each has a download page that states the version and links
// one installer per architecture and language, named by the product's short name, the
// architecture ("nt64", "nt32") and the language ("enu", "rus"):
// ".../eav_nt64_enu.exe". The 64-bit system and the user's interface language pick one.

#include "catalogue/base_software.h"

#include <memory>
#include <string>

namespace brivane::programs {

// The entry displayed as aName whose download page is aDownloadPage.
std::unique_ptr<TBaseSoftware> MakeESETHomeProduct(std::string aName, std::string aDownloadPage);

} // namespace brivane::programs
