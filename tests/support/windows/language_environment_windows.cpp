#include "support/language_environment.h"

#include "platform/locale.h"

namespace brivane::test {

TEnvironment LanguageEnvironment(const std::string&) {
    return {};
}

std::string ChildSystemLanguage(const std::string&) {
    return platform::GetSystemLanguageCode();
}

} // namespace brivane::test
