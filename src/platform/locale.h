#pragma once
// The user's language and number formatting as the operating system reports them, and
// locale-dependent work confined to the calling thread, so that building the character
// tables of one locale never changes how other threads classify text.

#include <functional>
#include <string>

namespace brivane::platform {

// The ISO 639 name of the system's language in lower case ("ru", "en"), or empty when
// the system does not say (Linux: the first set of LC_ALL, LC_MESSAGES and LANG).
std::string GetSystemLanguageCode();

// The decimal separator of the user's number format ("." when it cannot be determined).
std::string GetDecimalSeparator();

// Runs aBody with the C runtime's character classification of aLocale on this
// thread only. Returns false, without running aBody, when the locale is unknown.
bool RunInLocale(const std::string& aLocale, const std::function<void()>& aBody);

} // namespace brivane::platform
