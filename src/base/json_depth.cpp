#include "base/json_depth.h"

namespace brivane {

bool JsonNestingWithin(std::string_view aText, std::size_t aMaxDepth) {
    std::size_t depth = 0;
    bool inString = false;
    for (std::size_t at = 0; at < aText.size(); ++at) {
        const char c = aText[at];
        if (inString) {
            if (c == '\\') {
                ++at; // the escaped character, a quote perhaps
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > aMaxDepth) {
                return false;
            }
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return true;
}

std::string JsonTooDeepText(std::size_t aMaxDepth) {
    return "nested deeper than " + std::to_string(aMaxDepth) + " levels";
}

} // namespace brivane
