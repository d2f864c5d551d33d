#include "base/unicode.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace brivane {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Decodes one code point at aPos, advancing it; malformed input yields U+FFFD
// and consumes one byte, so decoding always makes progress.
char32_t DecodeUtf8(std::string_view aText, size_t& aPos) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(aText[i]); };
    const unsigned char lead = byte(aPos);
    if (lead < 0x80) {
        ++aPos;
        return lead;
    }
    int extra;
    char32_t cp;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
        ++aPos;
        return kReplacement;
    }
    if (aPos + extra >= aText.size()) { // truncated sequence
        ++aPos;
        return kReplacement;
    }
    for (int i = 1; i <= extra; ++i) {
        const unsigned char next = byte(aPos + i);
        if ((next & 0xC0) != 0x80) {
            ++aPos;
            return kReplacement;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    aPos += extra + 1;
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return kReplacement;
    }
    return cp;
}

void AppendUtf8(std::string& aOut, char32_t aCp) {
    if (aCp < 0x80) {
        aOut += static_cast<char>(aCp);
    } else if (aCp < 0x800) {
        aOut += static_cast<char>(0xC0 | (aCp >> 6));
        aOut += static_cast<char>(0x80 | (aCp & 0x3F));
    } else if (aCp < 0x10000) {
        aOut += static_cast<char>(0xE0 | (aCp >> 12));
        aOut += static_cast<char>(0x80 | ((aCp >> 6) & 0x3F));
        aOut += static_cast<char>(0x80 | (aCp & 0x3F));
    } else {
        aOut += static_cast<char>(0xF0 | (aCp >> 18));
        aOut += static_cast<char>(0x80 | ((aCp >> 12) & 0x3F));
        aOut += static_cast<char>(0x80 | ((aCp >> 6) & 0x3F));
        aOut += static_cast<char>(0x80 | (aCp & 0x3F));
    }
}

template <typename Map>
std::string MapCase(std::string_view aText, Map aMap) {
    std::u16string units = Utf8ToUtf16(aText);
    for (auto& unit : units) {
        unit = aMap(unit);
    }
    return Utf16ToUtf8(units);
}

} // namespace

char32_t DecodeUtf8Char(std::string_view aText, std::size_t& aPos) {
    return DecodeUtf8(aText, aPos);
}

std::u16string Utf8ToUtf16(std::string_view aText) {
    // Never more code units than bytes; the string is cut to size at the end.
    std::u16string out(aText.size(), u'\0');
    char16_t* next = out.data();
    size_t pos = 0;
    while (pos < aText.size()) {
        // Runs of ASCII, the bulk of every web page, go eight bytes at a time.
        while (pos + 8 <= aText.size()) {
            std::uint64_t chunk;
            std::memcpy(&chunk, aText.data() + pos, sizeof chunk);
            if ((chunk & 0x8080808080808080ULL) != 0) {
                break;
            }
            for (int i = 0; i < 8; ++i) {
                next[i] = static_cast<unsigned char>(aText[pos + i]);
            }
            next += 8;
            pos += 8;
        }
        if (pos == aText.size()) {
            break;
        }
        const char32_t cp = DecodeUtf8(aText, pos);
        if (cp >= 0x10000) {
            const char32_t v = cp - 0x10000;
            *next++ = static_cast<char16_t>(0xD800 + (v >> 10));
            *next++ = static_cast<char16_t>(0xDC00 + (v & 0x3FF));
        } else {
            *next++ = static_cast<char16_t>(cp);
        }
    }
    out.resize(static_cast<size_t>(next - out.data()));
    return out;
}

std::string Utf16ToUtf8(std::u16string_view aText) {
    std::string out;
    out.reserve(aText.size());
    for (size_t i = 0; i < aText.size(); ++i) {
        const char16_t unit = aText[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < aText.size() && aText[i + 1] >= 0xDC00 &&
            aText[i + 1] <= 0xDFFF) {
            const char32_t cp =
                0x10000 + ((char32_t(unit) - 0xD800) << 10) + (aText[i + 1] - 0xDC00);
            AppendUtf8(out, cp);
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

char16_t LowerCaseChar(char16_t c) {
    if (c < 0x80) {
        return (c >= u'A' && c <= u'Z') ? c + 32 : c;
    }
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) { // Latin-1 capitals
        return c + 32;
    }
    if (c >= 0x100 && c <= 0x17F) { // Latin Extended-A: mostly pairs
        if (c == 0x130) {
            return u'i';
        }
        if (c == 0x178) {
            return 0xFF;
        }
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
            return (c % 2 == 1) ? c + 1 : c;
        }
        if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) {
            return c;
        }
        return (c % 2 == 0) ? c + 1 : c;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) { // Greek capitals
        return c + 32;
    }
    if (c >= 0x400 && c <= 0x40F) { // Cyrillic Ѐ..Џ
        return c + 80;
    }
    if (c >= 0x410 && c <= 0x42F) { // Cyrillic А..Я
        return c + 32;
    }
    if (c >= 0x460 && c <= 0x4FF) { // Cyrillic extended pairs
        if (c == 0x4C0) {
            return 0x4CF;
        }
        if (c >= 0x4C1 && c <= 0x4CE) {
            return (c % 2 == 1) ? c + 1 : c;
        }
        if ((c >= 0x482 && c <= 0x489)) {
            return c;
        }
        return (c % 2 == 0) ? c + 1 : c;
    }
    return c;
}

char16_t UpperCaseChar(char16_t c) {
    if (c < 0x80) {
        return (c >= u'a' && c <= u'z') ? c - 32 : c;
    }
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
        return c - 32;
    }
    if (c == 0xFF) {
        return 0x178;
    }
    if (c >= 0x100 && c <= 0x17F) {
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
            return (c % 2 == 0) ? c - 1 : c;
        }
        if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F || c == 0x130) {
            return c;
        }
        return (c % 2 == 1) ? c - 1 : c;
    }
    if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) {
        return c - 32;
    }
    if (c >= 0x430 && c <= 0x44F) {
        return c - 32;
    }
    if (c >= 0x450 && c <= 0x45F) {
        return c - 80;
    }
    if (c >= 0x460 && c <= 0x4FF) {
        if (c == 0x4CF) {
            return 0x4C0;
        }
        if (c >= 0x4C1 && c <= 0x4CE) {
            return (c % 2 == 0) ? c - 1 : c;
        }
        if ((c >= 0x482 && c <= 0x489)) {
            return c;
        }
        return (c % 2 == 1) ? c - 1 : c;
    }
    return c;
}

std::string LowerCase(std::string_view aText) {
    // Most names are ASCII: map those bytes in place, without the UTF-16 round trip.
    std::string out(aText);
    for (char& c : out) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return MapCase(aText, LowerCaseChar);
        }
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c + ('a' - 'A'));
        }
    }
    return out;
}

std::string UpperCase(std::string_view aText) {
    return MapCase(aText, UpperCaseChar);
}

int CompareText(std::string_view aLeft, std::string_view aRight) {
    const std::u16string left = Utf8ToUtf16(aLeft);
    const std::u16string right = Utf8ToUtf16(aRight);
    const size_t n = std::min(left.size(), right.size());
    for (size_t i = 0; i < n; ++i) {
        const char16_t a = LowerCaseChar(left[i]);
        const char16_t b = LowerCaseChar(right[i]);
        if (a != b) {
            return a < b ? -1 : 1;
        }
    }
    return left.size() == right.size() ? 0 : (left.size() < right.size() ? -1 : 1);
}

bool SameText(std::string_view aLeft, std::string_view aRight) {
    return CompareText(aLeft, aRight) == 0;
}

namespace {

// Windows-1252 at 0x80..0x9F; the five unassigned bytes keep their C1 code points,
// as the Windows conversion does. Bytes from 0xA0 up equal their Latin-1 code points.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsValidUtf8(std::string_view aBytes) {
    // Decoding replaces every malformed sequence, so only valid text survives the round trip.
    return Utf16ToUtf8(Utf8ToUtf16(aBytes)) == aBytes;
}

} // namespace

std::string Utf8OrWindows1252ToUtf8(std::string_view aBytes) {
    if (IsValidUtf8(aBytes)) {
        return std::string(aBytes);
    }
    std::u16string text;
    text.reserve(aBytes.size());
    for (const char c : aBytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += (byte >= 0x80 && byte < 0xA0) ? kWindows1252High[byte - 0x80]
                                              : static_cast<char16_t>(byte);
    }
    return Utf16ToUtf8(text);
}

} // namespace brivane
