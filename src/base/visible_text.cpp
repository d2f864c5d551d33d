#include "base/visible_text.h"

#include "base/unicode.h"

#include <cstdio>

namespace brivane {

namespace {

void AppendEscape(std::string& aOut, const char* aFormat, unsigned aValue) {
    char escape[8];
    std::snprintf(escape, sizeof escape, aFormat, aValue);
    aOut += escape;
}

std::string Escape(std::string_view aText, bool aKeepLines) {
    std::string result;
    result.reserve(aText.size());
    for (std::size_t at = 0; at < aText.size();) {
        const auto byte = static_cast<unsigned char>(aText[at]);
        if (byte >= 0x20 && byte < 0x7F) {
            result += static_cast<char>(byte);
            ++at;
            continue;
        }
        if (byte < 0x80) {
            const bool lineBreak =
                byte == '\n' || (byte == '\r' && at + 1 < aText.size() && aText[at + 1] == '\n');
            if (aKeepLines && (lineBreak || byte == '\t')) {
                result += static_cast<char>(byte);
            } else if (byte == '\n') {
                result += "\\n";
            } else if (byte == '\r') {
                result += "\\r";
            } else if (byte == '\t') {
                result += "\\t";
            } else {
                AppendEscape(result, "\\x%02X", byte);
            }
            ++at;
            continue;
        }
        const std::size_t start = at;
        const char32_t code = DecodeUtf8Char(aText, at);
        const std::string_view sequence = aText.substr(start, at - start);
        if (code == 0xFFFD && sequence != "\xEF\xBF\xBD") {
            for (const char invalid : sequence) {
                AppendEscape(result, "\\x%02X", static_cast<unsigned char>(invalid));
            }
        } else if (code >= 0x80 && code <= 0x9F) {
            AppendEscape(result, "\\u%04X", static_cast<unsigned>(code));
        } else {
            result += sequence;
        }
    }
    return result;
}

} // namespace

std::string VisibleText(std::string_view aText) {
    return Escape(aText, false);
}

std::string VisibleLines(std::string_view aText) {
    return Escape(aText, true);
}

} // namespace brivane
