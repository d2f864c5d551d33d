#include "pe/file_version_info.h"

#include "base/little_endian.h"
#include "base/trim.h"
#include "base/unicode.h"

#include <cstdio>

namespace brivane {

namespace {

// A zero-terminated UTF-16 string that ends at its terminator or at the end of the bytes.
struct TBlockString {
    std::u16string Text;
    std::size_t Bytes; // the string's bytes with its terminator
};

TBlockString ReadString(std::string_view aBytes, std::size_t aOffset) {
    TBlockString result{{}, 0};
    for (std::size_t at = aOffset; at < aBytes.size() && aBytes.size() - at >= 2; at += 2) {
        const char16_t unit = ReadWord(aBytes, at);
        if (unit == 0) {
            break;
        }
        result.Text += unit;
    }
    result.Bytes = 2 * result.Text.size() + 2;
    return result;
}

// The parts of a version block begin on 32-bit boundaries counted from the start of
// the block; aBase is where the bytes at hand begin inside it.
std::size_t Align(std::size_t aOffset, std::size_t aBase = 0) {
    return (aBase + aOffset + 3) / 4 * 4 - aBase;
}

// The gap after a string entry: the alignment, then any whole zero 32-bit words, such
// as characters that a value declares beyond its terminator. The next entry's header
// is never such a word, as its length is not 0.
std::size_t SkipEntryPadding(std::string_view aBytes, std::size_t aOffset, std::size_t aBase) {
    aOffset = Align(aOffset, aBase);
    while (aOffset < aBytes.size() && aBytes.size() - aOffset >= 4 &&
           ReadDWord(aBytes, aOffset) == 0) {
        aOffset += 4;
    }
    return aOffset;
}

std::u16string Trim(const std::u16string& aText) {
    return std::u16string(TrimControls(std::u16string_view(aText)));
}

int HexNumber(std::u16string_view aDigits) {
    int value = 0;
    for (const char16_t c : aDigits) {
        int digit;
        if (c >= u'0' && c <= u'9') {
            digit = c - u'0';
        } else if (c >= u'a' && c <= u'f') {
            digit = c - u'a' + 10;
        } else if (c >= u'A' && c <= u'F') {
            digit = c - u'A' + 10;
        } else {
            throw TConversionError("'" + Utf16ToUtf8(aDigits) + "' is not a valid integer value");
        }
        value = value * 16 + digit;
    }
    return value;
}

TFixedFileInfo ReadFixedFileInfo(std::string_view aBytes, std::size_t aOffset) {
    TFixedFileInfo info;
    std::uint32_t* const words[] = {
        &info.dwSignature,     &info.dwStrucVersion,     &info.dwFileVersionMS,
        &info.dwFileVersionLS, &info.dwProductVersionMS, &info.dwProductVersionLS,
        &info.dwFileFlagsMask, &info.dwFileFlags,        &info.dwFileOS,
        &info.dwFileType,      &info.dwFileSubtype,      &info.dwFileDateMS,
        &info.dwFileDateLS};
    for (std::size_t i = 0; i < std::size(words); ++i) {
        *words[i] = ReadDWord(aBytes, aOffset + 4 * i);
    }
    return info;
}

constexpr std::size_t kKeyOffset = 6;
constexpr std::size_t kFixedFileInfoSize = 52;

} // namespace

const std::array<TStringFileInfo::TField, 11>& TStringFileInfo::Fields() {
    static const std::array<TField, 11> fields{{
        {"Comments", &TStringFileInfo::Comments},
        {"CompanyName", &TStringFileInfo::CompanyName},
        {"FileDescription", &TStringFileInfo::FileDescription},
        {"FileVersion", &TStringFileInfo::FileVersion},
        {"InternalName", &TStringFileInfo::InternalName},
        {"LegalCopyright", &TStringFileInfo::LegalCopyright},
        {"LegalTrademarks", &TStringFileInfo::LegalTrademarks},
        {"OriginalFilename", &TStringFileInfo::OriginalFilename},
        {"ProductName", &TStringFileInfo::ProductName},
        {"ProductVersion", &TStringFileInfo::ProductVersion},
        {"BuildTime", &TStringFileInfo::BuildTime},
    }};
    return fields;
}

std::string FormatVersion(std::uint32_t aMostSignificant, std::uint32_t aLeastSignificant) {
    char text[48];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", aMostSignificant >> 16,
                  aMostSignificant & 0xFFFF, aLeastSignificant >> 16, aLeastSignificant & 0xFFFF);
    return text;
}

std::string TFileVersionInfo::GetFileVersionText() const {
    if (fFixedFileInfo.dwFileVersionMS == 0 && fFixedFileInfo.dwFileVersionLS == 0) {
        return {};
    }
    return FormatVersion(fFixedFileInfo.dwFileVersionMS, fFixedFileInfo.dwFileVersionLS);
}

std::string TFileVersionInfo::GetProductVersionText() const {
    if (!fStringFileInfo.ProductVersion.empty()) {
        return fStringFileInfo.ProductVersion;
    }
    return FormatVersion(fFixedFileInfo.dwProductVersionMS, fFixedFileInfo.dwProductVersionLS);
}

void TFileVersionInfo::ParseVersionInfo(std::string_view aBlock) {
    Clear();
    if (aBlock.empty()) {
        return;
    }
    fEncoding = TTextEncoding::teUtf16LE;

    const std::uint16_t valueLength = ReadWord(aBlock, 2);
    const TBlockString key = ReadString(aBlock, kKeyOffset);
    if (key.Text != u"VS_VERSION_INFO") {
        return;
    }
    std::size_t position = Align(kKeyOffset + key.Bytes);
    if (valueLength != kFixedFileInfoSize) {
        return;
    }
    if (position <= aBlock.size() && aBlock.size() - position >= kFixedFileInfoSize &&
        ReadDWord(aBlock, position) == TFixedFileInfo::kSignature) {
        fFixedFileInfo = ReadFixedFileInfo(aBlock, position);
    }
    position = Align(position + kFixedFileInfoSize);
    // Only a block whose first child is the string block has strings.
    if (ReadString(aBlock, position + kKeyOffset).Text == u"StringFileInfo") {
        ParseStringBlock(aBlock, position);
    }
}

void TFileVersionInfo::ParseStringBlock(std::string_view aBlock, std::size_t aOffset) {
    const std::uint16_t length = ReadWord(aBlock, aOffset);
    const TBlockString key = ReadString(aBlock, aOffset + kKeyOffset);
    const std::size_t position = Align(aOffset + kKeyOffset + key.Bytes);
    // The block's length word counts its header too; the arithmetic wraps as the word does.
    const auto tableSize = static_cast<std::uint16_t>(length - key.Bytes - kKeyOffset);
    if (position >= aBlock.size()) {
        return;
    }
    ParseStringTable(aBlock.substr(position, tableSize), position);
}

void TFileVersionInfo::ParseStringTable(std::string_view aTable, std::size_t aTableOffset) {
    const std::uint16_t length = ReadWord(aTable, 0);
    const TBlockString key = ReadString(aTable, kKeyOffset);
    // The key is the language and the code page, four hexadecimal digits each.
    if (key.Text.size() != 8) {
        return;
    }
    fLanguageID = HexNumber(std::u16string_view(key.Text).substr(0, 4));
    fCodePage = HexNumber(std::u16string_view(key.Text).substr(4, 4));
    std::size_t position = kKeyOffset + key.Bytes;
    while (position < length) {
        const std::size_t entryLength = ParseStringEntry(aTable, position, aTableOffset);
        if (entryLength == 0) {
            break;
        }
        position += entryLength;
    }
}

std::size_t TFileVersionInfo::ParseStringEntry(std::string_view aTable, std::size_t aOffset,
                                               std::size_t aTableOffset) {
    if (ReadWord(aTable, aOffset) == 0) {
        return 0;
    }
    const std::uint16_t valueLength = ReadWord(aTable, aOffset + 2);
    const TBlockString name = ReadString(aTable, aOffset + kKeyOffset);
    std::size_t position = Align(aOffset + kKeyOffset + name.Bytes, aTableOffset);
    std::u16string value;
    if (valueLength != 0) {
        const TBlockString text = ReadString(aTable, position);
        value = Trim(text.Text);
        position += text.Bytes;
    }
    position = SkipEntryPadding(aTable, position, aTableOffset);
    const std::string fieldName = Utf16ToUtf8(name.Text);
    for (const auto& field : TStringFileInfo::Fields()) {
        if (SameText(fieldName, field.Name)) {
            fStringFileInfo.*field.Member = Utf16ToUtf8(value);
            break;
        }
    }
    // The distance travelled, not the entry's length word, leads to the next entry.
    return position - aOffset;
}

} // namespace brivane
