#pragma once
// The interface languages and their ISO 639 codes.

#include <cstdint>
#include <string>
#include <string_view>

namespace brivane {

// lRussian selects Russian texts; every other value, lDefault included, English ones.
enum TLanguage : std::uint8_t { lDefault, lEnglish, lRussian };

// "ru" for lRussian, "en" for every other value.
std::string LanguageToCode(TLanguage aLanguage);

// lRussian for "ru" in any letter case, lEnglish for anything else.
TLanguage CodeToLanguage(std::string_view aCode);

} // namespace brivane
