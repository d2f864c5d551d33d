#include "base/short_text.h"

#include "base/unicode.h"

namespace brivane {

std::string ShortText(std::string_view aText, std::size_t aMaxChars) {
    static constexpr std::string_view kEllipsis = "\xE2\x80\xA6"; // …
    if (aMaxChars == 0) {
        return {};
    }
    // The end of the first aMaxChars - 1 characters, and whether more than aMaxChars follow.
    std::size_t pos = 0;
    std::size_t cut = 0;
    for (std::size_t chars = 0; pos < aText.size(); ++chars) {
        if (chars == aMaxChars - 1) {
            cut = pos;
        }
        if (chars == aMaxChars) {
            return std::string(aText.substr(0, cut)) + std::string(kEllipsis);
        }
        DecodeUtf8Char(aText, pos);
    }
    return std::string(aText);
}

} // namespace brivane
