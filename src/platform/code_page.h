#pragma once
// Text in the system's legacy ("ANSI") code page, as older files store it.

#include <string>
#include <string_view>

namespace brivane::platform {

// Decodes bytes in the system's ANSI code page to UTF-8. Never fails: every byte
// sequence gives valid UTF-8 text, and ASCII passes through unchanged.
std::string AnsiToUtf8(std::string_view aBytes);

} // namespace brivane::platform
