#pragma once
// The user's language and number formatting as the operating system reports them.

#include <string>

namespace brivane::platform {

// The ISO 639 name of the system's language in lower case ("ru", "en"), or empty when
// the system does not say (Linux: the first set of LC_ALL, LC_MESSAGES and LANG).
std::string GetSystemLanguageCode();

// The decimal separator of the user's number format ("." when it cannot be determined).
std::string GetDecimalSeparator();

} // namespace brivane::platform
