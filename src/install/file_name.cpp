#include "install/file_name.h"

#include "base/trim.h"
#include "base/unicode.h"
#include "net/uri.h"

#include <cctype>
#include <optional>
#include <vector>

namespace brivane::install {

namespace {

// An extension longer than this is no extension worth keeping when a name is cut.
constexpr std::size_t kMaxKeptExtension = 16;

// Windows drops trailing dots and blanks; leading ones would hide the file on Linux.
std::string_view TrimDotsAndBlanks(std::string_view aText) {
    return Trim(aText, ". ");
}

bool IsForbiddenOnWindows(char32_t aChar) {
    return aChar == '<' || aChar == '>' || aChar == ':' || aChar == '"' || aChar == '|' ||
           aChar == '?' || aChar == '*';
}

bool IsControl(char32_t aChar) {
    return aChar < 0x20 || (aChar >= 0x7F && aChar <= 0x9F);
}

// Windows opens a device, not a file, for these names, whatever extension follows.
bool IsReservedDeviceName(std::string_view aName) {
    const std::string upper = UpperCase(TrimRight(aName.substr(0, aName.find('.')), " "));
    for (const char* reserved : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (upper == reserved) {
            return true;
        }
    }
    if (upper.size() < 4 || (upper.compare(0, 3, "COM") != 0 && upper.compare(0, 3, "LPT") != 0)) {
        return false;
    }
    const std::string_view digit = std::string_view(upper).substr(3);
    return (digit.size() == 1 && std::isdigit(static_cast<unsigned char>(digit[0])) != 0) ||
           digit == "\u00B9" || digit == "\u00B2" || digit == "\u00B3";
}

// The longest prefix of aText of at most aBytes bytes that ends on a character boundary.
std::string_view CutAtCharacter(std::string_view aText, std::size_t aBytes) {
    std::size_t end = 0;
    for (std::size_t pos = 0; pos < aText.size();) {
        std::size_t next = pos;
        DecodeUtf8Char(aText, next);
        if (next > aBytes) {
            break;
        }
        end = pos = next;
    }
    return aText.substr(0, end);
}

std::string CutToLimit(const std::string& aName) {
    if (aName.size() <= kMaxFileNameBytes) {
        return aName;
    }
    const auto dot = aName.rfind('.');
    const std::string_view extension =
        dot != std::string::npos && aName.size() - dot <= kMaxKeptExtension
            ? std::string_view(aName).substr(dot)
            : std::string_view();
    const std::string_view stem = TrimDotsAndBlanks(
        CutAtCharacter(std::string_view(aName).substr(0, aName.size() - extension.size()),
                       kMaxFileNameBytes - extension.size()));
    return std::string(stem) + std::string(extension);
}

// ISO-8859-1 bytes as UTF-8.
std::string Latin1ToUtf8(std::string_view aBytes) {
    std::u16string units;
    units.reserve(aBytes.size());
    for (const char byte : aBytes) {
        units.push_back(static_cast<char16_t>(static_cast<unsigned char>(byte)));
    }
    return Utf16ToUtf8(units);
}

// RFC 5987's ext-value: charset'language'percent-encoded bytes. Nothing for a charset
// other than UTF-8 and ISO-8859-1, or a value of another form.
std::optional<std::string> DecodeExtendedValue(std::string_view aValue) {
    const auto first = aValue.find('\'');
    const auto second = first == std::string_view::npos ? first : aValue.find('\'', first + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string charset = LowerCase(TrimControls(aValue.substr(0, first)));
    const std::string bytes = net::URLDecode(aValue.substr(second + 1), false);
    if (charset == "utf-8") {
        return bytes;
    }
    if (charset == "iso-8859-1") {
        return Latin1ToUtf8(bytes);
    }
    return std::nullopt;
}

struct TParameter {
    std::string Name; // lower case
    std::string Value;
};

// The parameters after the disposition type, with quoted values unquoted. Within quotes
// only \" and \\ are escapes: older servers send Windows paths unescaped.
std::vector<TParameter> ParseParameters(std::string_view aHeader) {
    std::vector<TParameter> parameters;
    std::size_t pos = aHeader.find(';');
    while (pos != std::string_view::npos && pos < aHeader.size()) {
        ++pos; // past the ";"
        const auto equals = aHeader.find_first_of("=;", pos);
        if (equals == std::string_view::npos || aHeader[equals] == ';') {
            pos = equals;
            continue;
        }
        TParameter parameter{LowerCase(TrimControls(aHeader.substr(pos, equals - pos))), {}};
        pos = equals + 1;
        while (pos < aHeader.size() && aHeader[pos] == ' ') {
            ++pos;
        }
        if (pos < aHeader.size() && aHeader[pos] == '"') {
            for (++pos; pos < aHeader.size() && aHeader[pos] != '"'; ++pos) {
                if (aHeader[pos] == '\\' && pos + 1 < aHeader.size() &&
                    (aHeader[pos + 1] == '"' || aHeader[pos + 1] == '\\')) {
                    ++pos;
                }
                parameter.Value += aHeader[pos];
            }
            pos = aHeader.find(';', pos);
        } else {
            const auto end = aHeader.find(';', pos);
            parameter.Value = TrimControls(aHeader.substr(pos, end - pos));
            pos = end;
        }
        parameters.push_back(std::move(parameter));
    }
    return parameters;
}

} // namespace

std::string PlainFileName(std::string_view aName) {
    const auto separator = aName.find_last_of("/\\");
    if (separator != std::string_view::npos) {
        aName.remove_prefix(separator + 1);
    }
    std::string cleaned;
    for (std::size_t pos = 0; pos < aName.size();) {
        const std::size_t start = pos;
        const char32_t character = DecodeUtf8Char(aName, pos);
        if (character == U'\uFFFD' || IsControl(character)) {
            continue; // invalid UTF-8 among them
        }
        if (IsForbiddenOnWindows(character)) {
            cleaned += '_';
        } else {
            cleaned.append(aName.substr(start, pos - start));
        }
    }
    std::string name(TrimDotsAndBlanks(cleaned));
    if (IsReservedDeviceName(name)) {
        name.insert(0, "_");
    }
    return CutToLimit(name);
}

std::string ContentDispositionFileName(std::string_view aHeader) {
    std::string plain;
    for (const auto& parameter : ParseParameters(aHeader)) {
        if (parameter.Name == "filename*") {
            if (auto decoded = DecodeExtendedValue(parameter.Value)) {
                return *decoded;
            }
        } else if (parameter.Name == "filename" && plain.empty()) {
            plain = parameter.Value;
        }
    }
    return plain;
}

std::string AddressFileName(std::string_view aURL) {
    aURL = aURL.substr(0, aURL.find_first_of("?#"));
    const auto scheme = aURL.find("://");
    const auto path = aURL.find(
        '/', scheme == std::string_view::npos ? 0 : scheme + std::string_view("://").size());
    if (path == std::string_view::npos) {
        return {};
    }
    return net::URLDecode(aURL.substr(aURL.rfind('/') + 1), false);
}

std::string AddressExtension(std::string_view aURL) {
    const std::string name = PlainFileName(AddressFileName(aURL));
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || name.size() - dot > kMaxKeptExtension) {
        return {};
    }
    return name.substr(dot);
}

std::string DownloadFileName(std::string_view aContentDisposition, std::string_view aURL,
                             std::string_view aProgramName) {
    for (const std::string& candidate :
         {ContentDispositionFileName(aContentDisposition), AddressFileName(aURL),
          std::string(aProgramName) + AddressExtension(aURL)}) {
        if (std::string name = PlainFileName(candidate); !name.empty()) {
            return name;
        }
    }
    return "Download" + AddressExtension(aURL);
}

} // namespace brivane::install
