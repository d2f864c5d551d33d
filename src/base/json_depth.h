#pragma once
// A bound on the nesting of JSON from outside (settings, web services, host maps),
// checked on the text before any value is built: the JSON library builds, copies and
// destroys values recursively, so deep nesting would exhaust the stack or the memory.

#include <cstddef>
#include <string>
#include <string_view>

namespace brivane {

// Far more than any document the program reads needs.
inline constexpr std::size_t kMaxJsonDepth = 64;

// Whether the arrays and objects of aText nest no deeper than aMaxDepth. Brackets inside
// strings do not count; text that is not JSON is left for the parser to refuse.
bool JsonNestingWithin(std::string_view aText, std::size_t aMaxDepth = kMaxJsonDepth);

// The reason given for refusing such text: "nested deeper than 64 levels".
std::string JsonTooDeepText(std::size_t aMaxDepth = kMaxJsonDepth);

} // namespace brivane
