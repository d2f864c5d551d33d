#include "platform/code_page.h"

#include "base/unicode.h"

namespace brivane::platform {

// Linux has no ANSI code page: its text is UTF-8. Bytes that are not valid UTF-8 come
// from a Windows machine and are read as Windows-1252.
std::string AnsiToUtf8(std::string_view aBytes) {
    return Utf8OrWindows1252ToUtf8(aBytes);
}

} // namespace brivane::platform
