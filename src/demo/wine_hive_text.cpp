#include "demo/wine_hive_text.h"

#include "base/unicode.h"

namespace brivane::demo {

namespace {

// The time stamp Wine writes after a key; any number will do.
constexpr std::string_view kKeyTime = " 1796856856";

void AppendEscaped(std::string& aOut, std::string_view aText) {
    static constexpr char kHex[] = "0123456789abcdef";
    for (const char16_t unit : Utf8ToUtf16(aText)) {
        if (unit == u'\\' || unit == u'"') {
            aOut += '\\';
            aOut += static_cast<char>(unit);
        } else if (unit >= 0x20 && unit < 0x7F) {
            aOut += static_cast<char>(unit);
        } else {
            aOut += "\\x";
            for (int shift = 12; shift >= 0; shift -= 4) {
                aOut += kHex[(unit >> shift) & 0xF];
            }
        }
    }
}

} // namespace

std::string WineHiveHeader(TWineHive aHive, bool aWindows64) {
    const char* root = aHive == TWineHive::Machine ? "REGISTRY\\\\Machine"
                                                   : "REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000";
    return std::string("WINE REGISTRY Version 2\n;; All keys relative to ") + root + "\n\n" +
           (aWindows64 ? "#arch=win64\n" : "#arch=win32\n");
}

std::string WineKeyLine(std::string_view aPath) {
    std::string line = "\n[";
    std::size_t start = 0;
    while (start <= aPath.size()) {
        const std::size_t end = std::min(aPath.find('\\', start), aPath.size());
        if (start > 0) {
            line += "\\\\";
        }
        AppendEscaped(line, aPath.substr(start, end - start));
        start = end + 1;
    }
    line += "]";
    line += kKeyTime;
    return line += '\n';
}

std::string WineStringLine(std::string_view aName, std::string_view aValue) {
    return WineQuoted(aName) + "=" + WineQuoted(aValue) + "\n";
}

std::string WineQuoted(std::string_view aText) {
    std::string quoted = "\"";
    AppendEscaped(quoted, aText);
    return quoted += '"';
}

} // namespace brivane::demo
