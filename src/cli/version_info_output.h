#pragma once
// Prints the version record of an executable, local or remote, and what reading it cost.

#include "pe/file_version_info.h"

#include <cstdint>
#include <iosfwd>

namespace brivane::cli {

// A table of the record's texts, or with aJson the object {"FileVersionText",
// "ProductVersionText", "LanguageID", "CodePage", "StringFileInfo", "Requests", "Bytes"}.
void PrintVersionInfo(std::ostream& aOut, const TFileVersionInfo& aInfo, std::int64_t aRequests,
                      std::int64_t aBytes, bool aJson);

} // namespace brivane::cli
