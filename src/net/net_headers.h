#pragma once
// Header lists of HTTP requests and responses: name/value pairs in the order they
// were added. Header names are ASCII tokens compared without regard to case.

#include <string>
#include <string_view>
#include <vector>

namespace brivane::net {

struct TNameValuePair {
    std::string Name;
    std::string Value;

    bool operator==(const TNameValuePair&) const = default;
};

using TNetHeaders = std::vector<TNameValuePair>;

// ASCII case-insensitive equality, for protocol tokens (header names, schemes).
bool SameToken(std::string_view aLeft, std::string_view aRight);

// ASCII lower case of a protocol token.
std::string LowerToken(std::string_view aText);

// Trims blanks and tabs at both ends.
std::string_view TrimBlanks(std::string_view aText);

// The first header named aName, or nullptr.
const TNameValuePair* FindHeader(const TNetHeaders& aHeaders, std::string_view aName);

// The value of the first header named aName, or empty.
std::string HeaderValueOf(const TNetHeaders& aHeaders, std::string_view aName);

// Replaces the value of the header named aName where it stands, or appends it, so
// that a name never occurs twice.
void SetHeader(TNetHeaders& aHeaders, std::string_view aName, std::string_view aValue);

// Removes the header named aName; false when there was none.
bool RemoveHeader(TNetHeaders& aHeaders, std::string_view aName);

} // namespace brivane::net
