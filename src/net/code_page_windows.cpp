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

// aBytes converted; empty when the system refuses them (or the code page).
std::wstring Convert(UINT aCodePage, DWORD aFlags, std::string_view aBytes) {
    const int size = static_cast<int>(aBytes.size());
    const int length = MultiByteToWideChar(aCodePage, aFlags, aBytes.data(), size, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(aCodePage, aFlags, aBytes.data(), size, text.data(), length);
    return text;
}

// A double-byte code page's text, sequence by sequence: one that does not convert
// becomes U+FFFD and the next sequence starts at its second byte, as iconv reads it.
std::wstring ConvertDoubleBytes(UINT aCodePage, std::string_view aBytes) {
    std::wstring text;
    for (std::size_t pos = 0; pos < aBytes.size();) {
        const auto lead = static_cast<BYTE>(aBytes[pos]);
        const std::size_t length = IsDBCSLeadByteEx(aCodePage, lead) ? 2 : 1;
        const std::wstring piece =
            pos + length <= aBytes.size()
                ? Convert(aCodePage, MB_ERR_INVALID_CHARS, aBytes.substr(pos, length))
                : std::wstring();
        if (piece.empty()) {
            text += static_cast<wchar_t>(kReplacement);
            ++pos;
        } else {
            text += piece;
            pos += length;
        }
    }
    return text;
}

// The ISO 8859 code pages define 0x80 to 0x9F as the C1 controls; the others leave
// some of those bytes undefined, and Windows passes such a byte through as the C1
// control of its value.
bool DefinesC1Controls(int aCodePage) {
    return (aCodePage >= 28591 && aCodePage <= 28605) || aCodePage == 38598;
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
    std::wstring text = Convert(codePage, MB_ERR_INVALID_CHARS, aBytes);
    CPINFO info{};
    if (text.empty() && GetCPInfo(codePage, &info) && info.MaxCharSize == 2) {
        text = ConvertDoubleBytes(codePage, aBytes);
    } else if (text.empty()) {
        // Without MB_ERR_INVALID_CHARS the code page's own replacement takes the place
        // of what it does not define.
        text = Convert(codePage, 0, aBytes);
    }
    if (text.empty()) {
        throw ECodePageError(std::string("The system cannot convert from ") + aIconvName);
    }
    if (!DefinesC1Controls(aCodePage) && GetCPInfo(codePage, &info) && info.MaxCharSize == 1) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] >= 0x80 && text[i] <= 0x9F && static_cast<BYTE>(aBytes[i]) >= 0x80) {
                text[i] = static_cast<wchar_t>(kReplacement);
            }
        }
    }
    return Utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

} // namespace brivane::net
