#pragma once
// The system's half of code page conversion: iconv on POSIX systems, the Win32
// code page functions on Windows.

#include <string>
#include <string_view>

namespace brivane::net {

// aBytes (not empty) in the code page numbered aCodePage, which iconv calls
// aIconvName, as UTF-8; bytes the code page does not define become U+FFFD. Throws
// ECodePageError when the system cannot convert from that code page.
std::string ConvertToUtf8(std::string_view aBytes, int aCodePage, const char* aIconvName);

} // namespace brivane::net
