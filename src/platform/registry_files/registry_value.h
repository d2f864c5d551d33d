#pragma once
// Decoding of the value texts of registry files:
//   "text"            a string (Wine: \\ \" \n \t \r \a \b \v \f \e, octal \0 and
//                     \x with up to four hex digits for one UTF-16 code unit;
//                     regedit: \\ and \")
//   str(N):"text"     a string of type N (Wine; 2 is an expandable string)
//   dword:0000000a    a 32-bit number
//   hex:..., hex(N):  bytes, "00,ff,..." possibly continued over lines with a
//                     trailing backslash

#include "platform/registry_files/registry_store.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brivane::platform::registry_files {

// Registry value types as Windows numbers them.
inline constexpr std::uint32_t kRegString = 1;
inline constexpr std::uint32_t kRegExpandString = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiString = 7;
inline constexpr std::uint32_t kRegQword = 11;

// The type and the payload of a value text: for quoted strings the text between
// the quotes (still escaped), for dword and hex data what follows the colon.
struct TValueForm {
    std::uint32_t fType = 0;
    bool fQuoted = false;  // a string between quotes
    bool fHexList = false; // "hex" bytes rather than a dword's digits
    std::string_view fPayload;
};

// Nothing when the text has none of the forms above.
std::optional<TValueForm> ClassifyValue(std::string_view aData);

// Length of a quoted text's inside, from just after its opening quote up to the
// closing quote; nothing when the quote is not closed on the line.
std::optional<std::size_t> QuotedLength(std::string_view aText);

// A quoted text's inside with its escapes resolved, as UTF-8.
std::string UnescapeText(std::string_view aEscaped, TRegistryDialect aDialect);

// aText as a hexadecimal number of at most aMaxDigits digits ("0000000a"); nothing
// when it is empty, longer, or holds any other character.
std::optional<std::uint64_t> ParseHexNumber(std::string_view aText, std::size_t aMaxDigits);

// "00,ff,..." (whitespace and line continuations allowed) as bytes; nothing on
// any other character or a malformed byte.
std::optional<std::string> ParseHexBytes(std::string_view aPayload);

std::optional<std::string> DecodeString(const TRawValue& aValue);
// A multi-string value's strings (a plain string gives one); nothing when the
// value holds no text.
std::optional<std::vector<std::string>> DecodeStrings(const TRawValue& aValue);
std::optional<std::uint64_t> DecodeNumber(const TRawValue& aValue);

// The strings of a multi-string value's text: each ends at a NUL, and an empty one
// ends the list.
std::vector<std::string> SplitMultiString(std::string_view aText);

// Whether a raw value's name is aName (case-insensitively); the default value's
// name is empty.
bool SameValueName(const TRawValue& aValue, std::string_view aName);

} // namespace brivane::platform::registry_files
