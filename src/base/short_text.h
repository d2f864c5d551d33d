#pragma once
// Long texts cut for a narrow place: a table column, a pattern named in a message.

#include <cstddef>
#include <string>
#include <string_view>

namespace brivane {

// aText when it has at most aMaxChars characters (code points); otherwise its first
// aMaxChars - 1 characters followed by "…", so the result has aMaxChars characters.
// Bytes that are not UTF-8 count as one character each and are never split.
std::string ShortText(std::string_view aText, std::size_t aMaxChars);

} // namespace brivane
