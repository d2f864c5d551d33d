#include "platform/locale.h"

#include "base/unicode.h"
#include "platform/windows/language.h"
#include "platform/windows/wide.h"

#include <windows.h>

namespace brivane::platform {

namespace windows {

std::string LanguageOfLangId(unsigned short aLangId) {
    wchar_t name[LOCALE_NAME_MAX_LENGTH];
    const int length = GetLocaleInfoW(MAKELCID(aLangId, SORT_DEFAULT), LOCALE_SISO639LANGNAME, name,
                                      LOCALE_NAME_MAX_LENGTH);
    if (aLangId == 0 || length <= 1) {
        return {};
    }
    return LowerCase(Narrow({name, static_cast<std::size_t>(length - 1)}));
}

} // namespace windows

std::string GetSystemLanguageCode() {
    // The language of the user's interface, as the user chose it for Windows itself.
    return windows::LanguageOfLangId(GetUserDefaultUILanguage());
}

std::string GetDecimalSeparator() {
    wchar_t separator[8];
    const int length =
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, std::size(separator));
    if (length <= 1) {
        return ".";
    }
    return windows::Narrow({separator, static_cast<std::size_t>(length - 1)});
}

} // namespace brivane::platform
