#include "platform/registry_files/registry_value.h"

#include "base/hex.h"
#include "base/trim.h"
#include "base/unicode.h"
#include "platform/code_page.h"

#include <algorithm>
#include <cstring>

namespace brivane::platform::registry_files {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsAscii(std::string_view aText) {
    return std::all_of(aText.begin(), aText.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Wine's escapes resolved into UTF-8. Code units from "\\x" escapes gather until
// plain text follows, so surrogate pairs convert as one character.
std::string WineUnescape(std::string_view aText) {
    std::string out;
    out.reserve(aText.size());
    std::u16string units;
    bool rawHighBytes = false; // unescaped non-ASCII bytes, checked at the end
    const auto flush = [&] {
        if (!units.empty()) {
            out += Utf16ToUtf8(units);
            units.clear();
        }
    };
    const auto appendUnit = [&](char16_t aUnit) {
        if (aUnit < 0x80) {
            flush();
            out += static_cast<char>(aUnit);
        } else {
            units += aUnit;
        }
    };
    std::size_t i = 0;
    while (i < aText.size()) {
        if (aText[i] != '\\') {
            const std::size_t end = std::min(aText.find('\\', i), aText.size());
            flush();
            const std::string_view run = aText.substr(i, end - i);
            rawHighBytes = rawHighBytes || !IsAscii(run);
            out += run;
            i = end;
            continue;
        }
        if (++i == aText.size()) {
            break; // a lone backslash at the end
        }
        const char c = aText[i];
        if (c == 'x') {
            ++i;
            std::size_t digits = 0;
            char16_t unit = 0;
            while (digits < 4 && i < aText.size() && HexDigitValue(aText[i]) >= 0) {
                unit = static_cast<char16_t>(unit * 16 + HexDigitValue(aText[i]));
                ++i, ++digits;
            }
            appendUnit(digits > 0 ? unit : u'x');
        } else if (c >= '0' && c <= '7') {
            char16_t unit = 0;
            for (std::size_t digits = 0;
                 digits < 3 && i < aText.size() && aText[i] >= '0' && aText[i] <= '7';
                 ++digits, ++i) {
                unit = static_cast<char16_t>(unit * 8 + (aText[i] - '0'));
            }
            appendUnit(unit);
        } else if (static_cast<unsigned char>(c) >= 0x80) {
            // A backslash before a multibyte character: keep the character whole.
        } else {
            static constexpr std::string_view kFrom = "abtnvfre";
            static constexpr char16_t kTo[] = {7, 8, 9, 10, 11, 12, 13, 27};
            const std::size_t at = kFrom.find(c);
            appendUnit(at != std::string_view::npos ? kTo[at] : static_cast<char16_t>(c));
            ++i;
        }
    }
    flush();
    return rawHighBytes ? Utf16ToUtf8(Utf8ToUtf16(out)) : out;
}

std::string RegeditUnescape(std::string_view aText) {
    std::string out;
    out.reserve(aText.size());
    for (std::size_t i = 0; i < aText.size(); ++i) {
        if (aText[i] == '\\' && i + 1 < aText.size() &&
            (aText[i + 1] == '\\' || aText[i + 1] == '"')) {
            ++i;
        }
        out += aText[i];
    }
    return out;
}

std::string CutAtNul(std::string aText) {
    if (const std::size_t nul = aText.find('\0'); nul != std::string::npos) {
        aText.resize(nul);
    }
    return aText;
}

// A text value's whole text, NULs included, when its type is one of aTypes.
std::optional<std::string> DecodeText(const TRawValue& aValue,
                                      std::initializer_list<std::uint32_t> aTypes) {
    const auto form = ClassifyValue(aValue.fData);
    if (!form || std::find(aTypes.begin(), aTypes.end(), form->fType) == aTypes.end()) {
        return std::nullopt;
    }
    if (form->fQuoted) {
        return UnescapeText(form->fPayload, aValue.fDialect);
    }
    const auto bytes = ParseHexBytes(form->fPayload);
    if (!bytes) {
        return std::nullopt;
    }
    if (aValue.fDialect == TRegistryDialect::Regedit4) {
        return AnsiToUtf8(*bytes);
    }
    std::u16string units(bytes->size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>((*bytes)[2 * i]) |
                                         (static_cast<unsigned char>((*bytes)[2 * i + 1]) << 8));
    }
    return Utf16ToUtf8(units);
}

} // namespace

std::optional<std::uint64_t> ParseHexNumber(std::string_view aText, std::size_t aMaxDigits) {
    if (aText.empty() || aText.size() > aMaxDigits) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : aText) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<std::uint64_t>(digit);
    }
    return value;
}

std::optional<std::size_t> QuotedLength(std::string_view aText) {
    // A quote closes the text unless an odd number of backslashes stands before it
    // (each backslash escapes the character after it).
    std::size_t from = 0;
    while (from < aText.size()) {
        const void* hit = std::memchr(aText.data() + from, '"', aText.size() - from);
        if (hit == nullptr) {
            return std::nullopt;
        }
        const auto quote = static_cast<std::size_t>(static_cast<const char*>(hit) - aText.data());
        std::size_t backslashes = 0;
        while (backslashes < quote && aText[quote - 1 - backslashes] == '\\') {
            ++backslashes;
        }
        if (backslashes % 2 == 0) {
            return quote;
        }
        from = quote + 1;
    }
    return std::nullopt;
}

std::optional<TValueForm> ClassifyValue(std::string_view aData) {
    aData = Trim(aData, " \t\r\n");
    TValueForm form;
    // Writers escape every quote inside a text, so the text ends at the last
    // character when that is a quote without an escaping backslash.
    const auto quoted = [&](std::string_view aRest) -> std::optional<TValueForm> {
        if (aRest.size() < 2 || aRest.front() != '"' || aRest.back() != '"') {
            return std::nullopt;
        }
        std::size_t backslashes = 0;
        while (backslashes + 2 < aRest.size() && aRest[aRest.size() - 2 - backslashes] == '\\') {
            ++backslashes;
        }
        if (backslashes % 2 != 0) {
            return std::nullopt;
        }
        form.fQuoted = true;
        form.fPayload = aRest.substr(1, aRest.size() - 2);
        return form;
    };
    // "(N):" after a prefix such as "hex" or "str".
    const auto typed = [&](std::string_view aRest) -> std::optional<std::string_view> {
        const std::size_t close = aRest.find("):");
        if (aRest.empty() || aRest.front() != '(' || close == std::string_view::npos) {
            return std::nullopt;
        }
        const auto type = ParseHexNumber(aRest.substr(1, close - 1), 8);
        if (!type) {
            return std::nullopt;
        }
        form.fType = static_cast<std::uint32_t>(*type);
        return aRest.substr(close + 2);
    };
    if (aData.starts_with('"')) {
        form.fType = kRegString;
        return quoted(aData);
    }
    if (aData.starts_with("str(")) {
        const auto rest = typed(aData.substr(3));
        return rest ? quoted(*rest) : std::nullopt;
    }
    if (aData.starts_with("dword:")) {
        form.fType = kRegDword;
        form.fPayload = aData.substr(6);
        return form;
    }
    if (aData.starts_with("hex:")) {
        form.fType = kRegBinary;
        form.fHexList = true;
        form.fPayload = aData.substr(4);
        return form;
    }
    if (aData.starts_with("hex(")) {
        const auto rest = typed(aData.substr(3));
        if (!rest) {
            return std::nullopt;
        }
        form.fHexList = true;
        form.fPayload = *rest;
        return form;
    }
    return std::nullopt;
}

std::string UnescapeText(std::string_view aEscaped, TRegistryDialect aDialect) {
    if (aEscaped.find('\\') == std::string_view::npos) {
        return IsAscii(aEscaped) ? std::string(aEscaped) : Utf16ToUtf8(Utf8ToUtf16(aEscaped));
    }
    return aDialect == TRegistryDialect::Wine ? WineUnescape(aEscaped) : RegeditUnescape(aEscaped);
}

std::optional<std::string> ParseHexBytes(std::string_view aPayload) {
    std::string bytes;
    bytes.reserve(aPayload.size() / 3 + 1);
    std::size_t i = 0;
    const auto skipGaps = [&] {
        while (i < aPayload.size() && (IsSpace(aPayload[i]) || aPayload[i] == '\\')) {
            ++i;
        }
    };
    skipGaps();
    while (i < aPayload.size()) {
        const int high = HexDigitValue(aPayload[i]);
        if (high < 0) {
            return std::nullopt;
        }
        int value = high;
        if (++i < aPayload.size() && HexDigitValue(aPayload[i]) >= 0) {
            value = value * 16 + HexDigitValue(aPayload[i]);
            ++i;
        }
        bytes += static_cast<char>(value);
        skipGaps();
        if (i < aPayload.size()) {
            if (aPayload[i] != ',') {
                return std::nullopt;
            }
            ++i;
            skipGaps();
        }
    }
    return bytes;
}

std::optional<std::string> DecodeString(const TRawValue& aValue) {
    auto text = DecodeText(aValue, {kRegString, kRegExpandString});
    return text ? std::optional(CutAtNul(std::move(*text))) : std::nullopt;
}

std::optional<std::vector<std::string>> DecodeStrings(const TRawValue& aValue) {
    const auto text = DecodeText(aValue, {kRegString, kRegExpandString, kRegMultiString});
    if (!text) {
        return std::nullopt;
    }
    return SplitMultiString(*text);
}

std::vector<std::string> SplitMultiString(std::string_view aText) {
    // The strings end at NULs, and an empty string ends the list.
    std::vector<std::string> strings;
    std::size_t start = 0;
    while (start < aText.size()) {
        const std::size_t nul = std::min(aText.find('\0', start), aText.size());
        if (nul == start) {
            break;
        }
        strings.emplace_back(aText.substr(start, nul - start));
        start = nul + 1;
    }
    return strings;
}

std::optional<std::uint64_t> DecodeNumber(const TRawValue& aValue) {
    const auto form = ClassifyValue(aValue.fData);
    if (!form || form->fQuoted || (form->fType != kRegDword && form->fType != kRegQword)) {
        return std::nullopt;
    }
    if (!form->fHexList) {
        return ParseHexNumber(form->fPayload, 8);
    }
    const auto bytes = ParseHexBytes(form->fPayload);
    const std::size_t size = form->fType == kRegDword ? 4 : 8;
    if (!bytes || bytes->size() != size) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (std::size_t i = size; i-- > 0;) {
        value = (value << 8) | static_cast<unsigned char>((*bytes)[i]);
    }
    return value;
}

bool SameValueName(const TRawValue& aValue, std::string_view aName) {
    const std::string_view raw = aValue.fName;
    // Walk both names while they hold plain ASCII (nearly always to the end): a
    // plain difference decides at once; an escape or a non-ASCII letter needs the
    // full comparison.
    const auto plain = [](char c) { return c != '\\' && static_cast<unsigned char>(c) < 0x80; };
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; };
    std::size_t i = 0;
    for (;; ++i) {
        const bool rawEnds = i == raw.size();
        const bool nameEnds = i == aName.size();
        if (rawEnds && nameEnds) {
            return true;
        }
        if ((!rawEnds && !plain(raw[i])) || (!nameEnds && !plain(aName[i]))) {
            break;
        }
        if (rawEnds || nameEnds || lower(raw[i]) != lower(aName[i])) {
            return false;
        }
    }
    return SameText(UnescapeText(raw, aValue.fDialect), aName);
}

} // namespace brivane::platform::registry_files
