#pragma once
// Conversions between the domain's UTF-8 text and UTF-16 code units, and
// Unicode-aware case folding for names. Every boundary that counts UTF-16 code
// units (the regex facade, the cache files' text tags, the registry files)
// converts through these, never through a private copy.

#include <cstddef>
#include <string>
#include <string_view>

namespace brivane {

// The code point at aPos, advancing aPos past it. Malformed input yields U+FFFD and
// consumes one byte (an overlong or out-of-range sequence: all of it), so decoding
// always makes progress.
char32_t DecodeUtf8Char(std::string_view aText, std::size_t& aPos);

// Invalid UTF-8 sequences become U+FFFD; code points above U+FFFF become surrogate pairs.
std::u16string Utf8ToUtf16(std::string_view aText);

// Unpaired surrogates become U+FFFD, so the result is always valid UTF-8.
std::string Utf16ToUtf8(std::u16string_view aText);

// Text of unknown origin in a legacy single-byte encoding: valid UTF-8 is taken as it
// is, anything else is read as Windows-1252, so that no byte is lost to a replacement
// character. Never fails.
std::string Utf8OrWindows1252ToUtf8(std::string_view aBytes);

// Simple (one-to-one) lower-case mapping of one UTF-16 code unit: ASCII, Latin-1,
// Latin Extended-A, Greek and Cyrillic, which covers every name the catalogue meets.
char16_t LowerCaseChar(char16_t aChar);
char16_t UpperCaseChar(char16_t aChar);

std::string LowerCase(std::string_view aText);
std::string UpperCase(std::string_view aText);

// Case-insensitive equality of two UTF-8 texts (Unicode letters, Cyrillic included).
bool SameText(std::string_view aLeft, std::string_view aRight);

// Three-way case-insensitive comparison by folded UTF-16 code units.
int CompareText(std::string_view aLeft, std::string_view aRight);

} // namespace brivane
