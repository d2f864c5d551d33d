#include "support/language_environment.h"

namespace brivane::test {

TEnvironment LanguageEnvironment(const std::string& aLanguage) {
    return {{"LC_ALL", std::nullopt},
            {"LC_MESSAGES", std::nullopt},
            {"LANG", aLanguage == "ru" ? "ru_RU.UTF-8" : "en_US.UTF-8"}};
}

std::string ChildSystemLanguage(const std::string& aLanguage) {
    return aLanguage;
}

} // namespace brivane::test
