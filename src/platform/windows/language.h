#pragma once
// The language of a Windows language identifier.

#include <string>

namespace brivane::platform::windows {

// The ISO 639 name in lower case of a LANGID ("ru" for 0x0419); empty when the system
// knows no such language.
std::string LanguageOfLangId(unsigned short aLangId);

} // namespace brivane::platform::windows
