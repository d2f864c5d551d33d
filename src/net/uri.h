#pragma once
// Absolute web addresses: parsing, resolving a reference (a Location header)
// against a base, and the percent encodings of addresses and HTML forms.

#include <string>
#include <string_view>

namespace brivane::net {

struct TURI {
    std::string Scheme; // lower case
    std::string Host;   // lower case; an IPv6 literal keeps its brackets
    int Port = 0;       // the effective port: the scheme's default when the address names none
    std::string Path;   // starts with "/"
    std::string Query;  // the text after "?", without it

    // Throws ENetURIException for text that is not an absolute address. Blanks,
    // control characters and non-ASCII bytes are percent-encoded first, as
    // browsers do with addresses found in pages and headers.
    static TURI Parse(std::string_view aURL);

    // aReference (absolute, or relative to this address) as an absolute address.
    TURI Resolve(std::string_view aReference) const;

    // scheme://host[:port]path[?query]; a default port is left out.
    std::string ToString() const;
    // scheme://host[:port]
    std::string Origin() const;
    // path[?query]
    std::string ResourcePath() const;
    bool HasDefaultPort() const;
};

// The default port of "http" and "https"; 0 for other schemes.
int DefaultPort(std::string_view aScheme);

// One name or value of an application/x-www-form-urlencoded body: letters, digits
// and "*-._" stay, a blank becomes "+", every other byte %XX.
std::string EncodeFormComponent(std::string_view aText);

// Form fields given as name=value lines (CR LF or LF separated; empty lines are
// skipped; a line without "=" is a name with an empty value) as a form body.
std::string EncodeFormFields(std::string_view aLines);

// One "name=value" line for EncodeFormFields (CR LF at its end) built from text found
// on a page: carriage returns and line feeds are removed from both, so that a scraped
// value can never end its line and add a field of its own.
std::string FormFieldLine(std::string_view aName, std::string_view aValue);

// Percent escapes decoded and, unless aPlusIsBlank is false (a path, not a form), "+"
// read as a blank; a malformed escape stays as it is.
std::string URLDecode(std::string_view aText, bool aPlusIsBlank = true);

} // namespace brivane::net
