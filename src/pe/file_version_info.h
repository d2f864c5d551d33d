#pragma once
// The version record of a Windows executable (its VS_VERSIONINFO resource): the fixed
// file information and the strings of the first string table.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace brivane {

// A string table key whose language or code page is not a hexadecimal number.
class TConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TTextEncoding { teNone, teUtf16LE };

// The platform's fixed file information block, thirteen 32-bit words.
struct TFixedFileInfo {
    static constexpr std::uint32_t kSignature = 0xFEEF04BD;

    std::uint32_t dwSignature = 0;
    std::uint32_t dwStrucVersion = 0;
    std::uint32_t dwFileVersionMS = 0;
    std::uint32_t dwFileVersionLS = 0;
    std::uint32_t dwProductVersionMS = 0;
    std::uint32_t dwProductVersionLS = 0;
    std::uint32_t dwFileFlagsMask = 0;
    std::uint32_t dwFileFlags = 0;
    std::uint32_t dwFileOS = 0;
    std::uint32_t dwFileType = 0;
    std::uint32_t dwFileSubtype = 0;
    std::uint32_t dwFileDateMS = 0;
    std::uint32_t dwFileDateLS = 0;
};

struct TStringFileInfo {
    std::string Comments;
    std::string CompanyName;
    std::string FileDescription;
    std::string FileVersion;
    std::string InternalName;
    std::string LegalCopyright;
    std::string LegalTrademarks;
    std::string OriginalFilename;
    std::string ProductName;
    std::string ProductVersion;
    std::string BuildTime;

    struct TField {
        const char* Name;
        std::string TStringFileInfo::*Member;
    };
    // The eleven names in field order, as they appear in a string table.
    static const std::array<TField, 11>& Fields();
};

// "%d.%d.%d.%d" of the four 16-bit parts of a version held as two 32-bit words.
std::string FormatVersion(std::uint32_t aMostSignificant, std::uint32_t aLeastSignificant);

class TFileVersionInfo {
public:
    // Fills the record from the bytes of a version resource. Malformed or truncated
    // blocks leave whatever was read before the fault; a string table key of eight
    // characters that are not all hexadecimal digits throws TConversionError.
    void ParseVersionInfo(std::string_view aBlock);
    void Clear() { *this = TFileVersionInfo(); }

    // Empty when the fixed file version is zero.
    std::string GetFileVersionText() const;
    // The ProductVersion string, else the fixed product version (zeros included).
    std::string GetProductVersionText() const;
    // A fixed information block with the right signature was found.
    bool HasFixedFileInfo() const {
        return fFixedFileInfo.dwSignature == TFixedFileInfo::kSignature;
    }

    TTextEncoding Encoding() const { return fEncoding; }
    int LanguageID() const { return fLanguageID; }
    int CodePage() const { return fCodePage; }
    const TFixedFileInfo& FixedFileInfo() const { return fFixedFileInfo; }
    const TStringFileInfo& StringFileInfo() const { return fStringFileInfo; }

private:
    void ParseStringBlock(std::string_view aBlock, std::size_t aOffset);
    // aTableOffset: where the table begins inside the version block.
    void ParseStringTable(std::string_view aTable, std::size_t aTableOffset);
    std::size_t ParseStringEntry(std::string_view aTable, std::size_t aOffset,
                                 std::size_t aTableOffset);

    TTextEncoding fEncoding = TTextEncoding::teNone;
    int fLanguageID = 0;
    int fCodePage = 0;
    TFixedFileInfo fFixedFileInfo;
    TStringFileInfo fStringFileInfo;
};

} // namespace brivane
