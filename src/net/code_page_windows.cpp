#include "net/code_page_conversion.h"

#include "base/unicode.h"
#include "net/code_page.h"

#include <windows.h>

#include <climits>

namespace brivane::net {

namespace {

constexpr char16_t kReplacement = u'\uFFFD';

// UTF-16 and UTF-32 are no code pages to MultiByteToWideChar: read here. A unit cut
// off at the end becomes U+FFFD.
std::u16string FromUnits(std::string_view aBytes, std::size_t aUnitSize, bool aBigEndian) {
    std::u16string text;
    text.reserve(aBytes.size() / 2);
    std::size_t pos = 0;
    for (; pos + aUnitSize <= aBytes.size(); pos += aUnitSize) {
        char32_t unit = 0;
        for (std::size_t i = 0; i < aUnitSize; ++i) {
            const auto byte =
                static_cast<unsigned char>(aBytes[pos + (aBigEndian ? i : aUnitSize - 1 - i)]);
            unit = (unit << 8) | byte;
        }
        if (aUnitSize == 2) {
            text += static_cast<char16_t>(unit); // unpaired surrogates: see Utf16ToUtf8
        } else if (unit > 0x10FFFF || (unit >= 0xD800 && unit <= 0xDFFF)) {
            text += kReplacement;
        } else if (unit > 0xFFFF) {
            unit -= 0x10000;
            text += static_cast<char16_t>(0xD800 + (unit >> 10));
            text += static_cast<char16_t>(0xDC00 + (unit & 0x3FF));
        } else {
            text += static_cast<char16_t>(unit);
        }
    }
    if (pos < aBytes.size()) {
        text += kReplacement;
    }
    return text;
}

// Windows names EUC-JP 20932 in its conversion functions.
UINT SystemCodePage(int aCodePage) {
    return aCodePage == 51932 ? 20932 : static_cast<UINT>(aCodePage);
}

} // namespace

std::string ConvertToUtf8(std::string_view aBytes, int aCodePage, const char* aIconvName) {
    switch (aCodePage) {
    case 1200:
    case 1201:
        return Utf16ToUtf8(FromUnits(aBytes, 2, aCodePage == 1201));
    case 12000:
    case 12001:
        return Utf16ToUtf8(FromUnits(aBytes, 4, aCodePage == 12001));
    default:
        break;
    }
    if (aBytes.size() > INT_MAX) {
        throw ECodePageError(std::string("Conversion from ") + aIconvName + " failed");
    }
    const UINT codePage = SystemCodePage(aCodePage);
    const int size = static_cast<int>(aBytes.size());
    // Strictly first; text with bytes the code page does not define again without
    // MB_ERR_INVALID_CHARS, which puts the code page's replacement in their place.
    DWORD flags = MB_ERR_INVALID_CHARS;
    int length = MultiByteToWideChar(codePage, flags, aBytes.data(), size, nullptr, 0);
    if (length <= 0 && GetLastError() == ERROR_NO_UNICODE_TRANSLATION) {
        flags = 0;
        length = MultiByteToWideChar(codePage, flags, aBytes.data(), size, nullptr, 0);
    }
    if (length <= 0) {
        throw ECodePageError(std::string("The system cannot convert from ") + aIconvName);
    }
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, flags, aBytes.data(), size, text.data(), length);
    return Utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

} // namespace brivane::net
