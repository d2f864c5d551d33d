#include "platform/locale.h"

#include <clocale>
#include <cstdlib>
#include <langinfo.h>
#include <locale.h>

namespace brivane::platform {

std::string GetSystemLanguageCode() {
    // The same precedence the C library applies to message texts.
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value == nullptr || *value == '\0') {
            continue;
        }
        // "ru_RU.UTF-8@euro" -> "ru"; "C" and "POSIX" name no language.
        std::string code;
        for (const char* p = value; *p != '\0' && *p != '_' && *p != '.' && *p != '@'; ++p) {
            const char c = *p;
            if (c < 'A' || (c > 'Z' && c < 'a') || c > 'z') {
                return {};
            }
            code += static_cast<char>(c | 0x20);
        }
        return (code == "c" || code == "posix") ? std::string() : code;
    }
    return {};
}

std::string GetDecimalSeparator() {
    // A locale object of its own, so the process-wide locale stays untouched.
    const locale_t locale = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) {
        return ".";
    }
    const char* radix = ::nl_langinfo_l(RADIXCHAR, locale);
    std::string separator = (radix != nullptr && *radix != '\0') ? radix : ".";
    ::freelocale(locale);
    return separator;
}

} // namespace brivane::platform
