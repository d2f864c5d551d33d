#pragma once
// The boundary between our UTF-8 text and the wide-character (UTF-16) calls of Win32.

#include <string>
#include <string_view>

namespace brivane::platform::windows {

std::wstring Wide(std::string_view aText);
std::string Narrow(std::wstring_view aText);

// The system's own text for an error code (GetLastError's), without the line break it
// ends with; "error N" when the system has none.
std::string SystemMessage(unsigned long aError);

} // namespace brivane::platform::windows
