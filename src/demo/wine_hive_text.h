#pragma once
// Text in the format of Wine's registry files (system.reg, user.reg), as Wine writes
// it: the hive's header, keys relative to the hive with doubled backslashes, and
// quoted string values with Wine's escapes. The demo machine's programs and the demo
// installers record themselves with it.

#include <string>
#include <string_view>

namespace brivane::demo {

enum class TWineHive { Machine, User };

// The first lines of a hive file of a 64-bit or a 32-bit prefix.
std::string WineHiveHeader(TWineHive aHive, bool aWindows64 = true);

// The line that opens key aPath ("Software\Microsoft\..."), with a blank line before it.
std::string WineKeyLine(std::string_view aPath);

// The line of a string value ("DisplayName"="7-Zip 16.02").
std::string WineStringLine(std::string_view aName, std::string_view aValue);

// aText in quotes, with Wine's escapes: backslashes and quotes escaped, other characters
// outside printable ASCII as \x and four hex digits per UTF-16 code unit.
std::string WineQuoted(std::string_view aText);

} // namespace brivane::demo
