#pragma once
// Text from outside (registry names, pages, headers, file contents) shown to a person:
// control characters would move the cursor, recolour or clear a terminal, so they are
// shown as visible escapes instead.

#include <string>
#include <string_view>

namespace brivane {

// aText with every control character escaped: line feed, carriage return and tab as
// \n, \r and \t; other C0 characters, DEL and bytes that are not UTF-8 as \xNN; C1
// characters (U+0080 to U+009F) as \u0080 to \u009F. Everything else stays, the
// backslash included (Windows paths read as they are).
std::string VisibleText(std::string_view aText);

// VisibleText for text read as lines: line feeds, tabs and the carriage return of
// a CR LF pair stay as they are.
std::string VisibleLines(std::string_view aText);

} // namespace brivane
