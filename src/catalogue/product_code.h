#pragma once
// Windows Installer product codes, the names of the uninstall records that
// Windows Installer writes: a GUID such as {23170F69-40C1-2702-1900-000001000000},
// braces optional.

#include <string_view>

namespace brivane {

bool IsProductCode(std::string_view aSubkeyName);

} // namespace brivane
