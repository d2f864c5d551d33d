#include "platform/code_page.h"

#include "core/unicode.h"

namespace brivane::platform {

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

// Linux has no ANSI code page: its text is UTF-8, so UTF-8 is taken as it is. Bytes
// that are not valid UTF-8 come from a Windows machine and are read as Windows-1252,
// so that no byte is lost to a replacement character.
std::string AnsiToUtf8(std::string_view aBytes) {
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

} // namespace brivane::platform
