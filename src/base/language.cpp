#include "base/language.h"

#include "base/unicode.h"

namespace brivane {

std::string LanguageToCode(TLanguage aLanguage) {
    return aLanguage == lRussian ? "ru" : "en";
}

TLanguage CodeToLanguage(std::string_view aCode) {
    return SameText(aCode, "ru") ? lRussian : lEnglish;
}

} // namespace brivane
