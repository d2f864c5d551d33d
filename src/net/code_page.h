#pragma once
// Code pages: the numbers by which the program names text encodings (65001 is
// UTF-8, 1251 Windows Cyrillic), the charset names servers declare, and the
// conversion of bytes in a code page to UTF-8 text.

#include <stdexcept>
#include <string>
#include <string_view>

namespace brivane::net {

constexpr int kCodePageUtf8 = 65001;

class ECodePageError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The code page of a charset name as found in a Content-Type header
// ("windows-1251", "UTF-8", "koi8-r", "Shift_JIS"; case is ignored); 0 for a name
// the program does not know.
int CodePageOfCharset(std::string_view aCharset);

// aBytes read in code page aCodePage, as UTF-8 text. Byte sequences that are not
// valid in the code page become U+FFFD. Throws ECodePageError for a code page the
// program does not know.
std::string DecodeCodePage(std::string_view aBytes, int aCodePage);

} // namespace brivane::net
