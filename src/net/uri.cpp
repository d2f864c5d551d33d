#include "net/uri.h"

#include "base/hex.h"
#include "net/net_errors.h"
#include "net/net_headers.h"

#include <curl/curl.h>

#include <memory>

namespace brivane::net {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendEscaped(std::string& aOut, unsigned char aByte) {
    aOut += '%';
    aOut += kHexDigits[aByte >> 4];
    aOut += kHexDigits[aByte & 0x0F];
}

// Addresses in pages and headers may carry blanks and raw UTF-8; the parser
// accepts neither, so they are escaped the way browsers send them.
std::string EscapeUnsafeBytes(std::string_view aText) {
    std::string result;
    result.reserve(aText.size());
    for (const char c : TrimBlanks(aText)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F) {
            AppendEscaped(result, byte);
        } else {
            result += c;
        }
    }
    return result;
}

struct TCurlUrlDeleter {
    void operator()(CURLU* aHandle) const { curl_url_cleanup(aHandle); }
};
using TCurlUrl = std::unique_ptr<CURLU, TCurlUrlDeleter>;

struct TCurlFree {
    void operator()(char* aText) const { curl_free(aText); }
};

// The part, or nothing when the address has none.
std::string GetPart(CURLU* aHandle, CURLUPart aPart, unsigned aFlags = 0) {
    char* raw = nullptr;
    if (curl_url_get(aHandle, aPart, &raw, aFlags) != CURLUE_OK || raw == nullptr) {
        return {};
    }
    const std::unique_ptr<char, TCurlFree> owned(raw);
    return std::string(raw);
}

// The parser decodes escapes in the host, so "%25" or "%2F" there would come out as
// a host that no longer reads back as itself; such a host names no server anyway.
bool IsPlainHost(std::string_view aHost) {
    if (aHost.empty()) {
        return false;
    }
    if (aHost.front() == '[') {
        return aHost.back() == ']' &&
               aHost.find_first_not_of("0123456789abcdef:.[]", 0) == std::string_view::npos;
    }
    for (const char c : aHost) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '.' || c == '_' || c == '~' || byte >= 0x80;
        if (!plain) {
            return false;
        }
    }
    return true;
}

// "192.168.0.1": four decimal parts of 0 to 255 without leading zeros.
bool IsDottedQuad(std::string_view aHost) {
    int parts = 0;
    while (true) {
        const auto dot = aHost.find('.');
        const std::string_view part = aHost.substr(0, dot);
        if (part.empty() || part.size() > 3 || (part.size() > 1 && part[0] == '0') ||
            part.find_first_not_of("0123456789") != std::string_view::npos ||
            std::stoi(std::string(part)) > 255) {
            return false;
        }
        ++parts;
        if (dot == std::string_view::npos) {
            return parts == 4;
        }
        aHost.remove_prefix(dot + 1);
    }
}

// The parser rewrites "43", "127.1" or "0x7f.1" into dotted IPv4 addresses, but only
// when they stand in the text itself: one that came escaped is left as it is, would not
// read back as itself, and names a server in a way no page means.
bool IsAddressShorthand(std::string_view aHost) {
    return !aHost.empty() && aHost.front() >= '0' && aHost.front() <= '9' &&
           aHost.find_first_not_of("0123456789abcdefx.") == std::string_view::npos &&
           !IsDottedQuad(aHost);
}

TURI FromHandle(CURLU* aHandle, std::string_view aText) {
    TURI result;
    result.Scheme = LowerToken(GetPart(aHandle, CURLUPART_SCHEME));
    result.Host = LowerToken(GetPart(aHandle, CURLUPART_HOST));
    if (!IsPlainHost(result.Host) || IsAddressShorthand(result.Host)) {
        throw ENetURIException("Invalid URL: " + std::string(aText));
    }
    // Port 0 names no server, and would read back as the scheme's own port.
    if (GetPart(aHandle, CURLUPART_PORT) == "0") {
        throw ENetURIException("Invalid URL: " + std::string(aText));
    }
    const std::string port = GetPart(aHandle, CURLUPART_PORT, CURLU_DEFAULT_PORT);
    result.Port = port.empty() ? DefaultPort(result.Scheme) : std::stoi(port);
    result.Path = GetPart(aHandle, CURLUPART_PATH);
    if (result.Path.empty()) {
        // push_back, not = "/": GCC 12 at -O3 misreads the assignment as an overlapping copy.
        result.Path.push_back('/');
    }
    result.Query = GetPart(aHandle, CURLUPART_QUERY);
    return result;
}

void SetURL(CURLU* aHandle, const std::string& aEscaped, std::string_view aText) {
    if (curl_url_set(aHandle, CURLUPART_URL, aEscaped.c_str(), CURLU_NON_SUPPORT_SCHEME) !=
        CURLUE_OK) {
        throw ENetURIException("Invalid URL: " + std::string(aText));
    }
}

TCurlUrl NewHandle() {
    TCurlUrl handle(curl_url());
    if (!handle) {
        throw std::bad_alloc();
    }
    return handle;
}

} // namespace

int DefaultPort(std::string_view aScheme) {
    if (aScheme == "http") {
        return 80;
    }
    if (aScheme == "https") {
        return 443;
    }
    return 0;
}

TURI TURI::Parse(std::string_view aURL) {
    const auto handle = NewHandle();
    SetURL(handle.get(), EscapeUnsafeBytes(aURL), aURL);
    return FromHandle(handle.get(), aURL);
}

TURI TURI::Resolve(std::string_view aReference) const {
    const auto handle = NewHandle();
    SetURL(handle.get(), ToString(), aReference);
    SetURL(handle.get(), EscapeUnsafeBytes(aReference), aReference);
    return FromHandle(handle.get(), aReference);
}

bool TURI::HasDefaultPort() const {
    return Port == DefaultPort(Scheme);
}

std::string TURI::Origin() const {
    std::string result = Scheme + "://" + Host;
    if (!HasDefaultPort()) {
        result += ':' + std::to_string(Port);
    }
    return result;
}

std::string TURI::ResourcePath() const {
    return Query.empty() ? Path : Path + '?' + Query;
}

std::string TURI::ToString() const {
    return Origin() + ResourcePath();
}

std::string EncodeFormComponent(std::string_view aText) {
    std::string result;
    result.reserve(aText.size());
    for (const char c : aText) {
        const auto byte = static_cast<unsigned char>(c);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '*' || c == '-' || c == '.' || c == '_') {
            result += c;
        } else if (c == ' ') {
            result += '+';
        } else {
            AppendEscaped(result, byte);
        }
    }
    return result;
}

std::string EncodeFormFields(std::string_view aLines) {
    std::string result;
    while (!aLines.empty()) {
        const auto end = aLines.find('\n');
        std::string_view line = aLines.substr(0, end);
        aLines = end == std::string_view::npos ? std::string_view() : aLines.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty()) {
            continue;
        }
        const auto equals = line.find('=');
        if (!result.empty()) {
            result += '&';
        }
        result += EncodeFormComponent(line.substr(0, equals));
        result += '=';
        if (equals != std::string_view::npos) {
            result += EncodeFormComponent(line.substr(equals + 1));
        }
    }
    return result;
}

std::string FormFieldLine(std::string_view aName, std::string_view aValue) {
    std::string line;
    const auto append = [&line](std::string_view aText) {
        for (const char c : aText) {
            if (c != '\r' && c != '\n') {
                line += c;
            }
        }
    };
    append(aName);
    line += '=';
    append(aValue);
    line += "\r\n";
    return line;
}

std::string URLDecode(std::string_view aText, bool aPlusIsBlank) {
    std::string result;
    result.reserve(aText.size());
    for (std::size_t i = 0; i < aText.size(); ++i) {
        const char c = aText[i];
        if (c == '+' && aPlusIsBlank) {
            result += ' ';
        } else if (c == '%' && i + 2 < aText.size() && HexDigitValue(aText[i + 1]) >= 0 &&
                   HexDigitValue(aText[i + 2]) >= 0) {
            result +=
                static_cast<char>(HexDigitValue(aText[i + 1]) * 16 + HexDigitValue(aText[i + 2]));
            i += 2;
        } else {
            result += c;
        }
    }
    return result;
}

} // namespace brivane::net
