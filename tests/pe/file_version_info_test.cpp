#include "pe/file_version_info.h"

#include "base/little_endian.h"
#include "support/pe_samples.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

namespace {

// Version 1.2.3.4 with strings that test trimming, name case and unknown names.
TVersionBlockOptions FullOptions() {
    TVersionBlockOptions options = SampleVersion();
    options.Strings = {{u"CompanyName", u"Piriform Ltd"},
                       {u"FileDescription", u"  CCleaner\t"},
                       {u"FileVersion", u"5.06.5219"},
                       {u"productversion", u"5.06"},
                       {u"Unknown", u"ignored"},
                       {u"Comments", u"Программа"},
                       {u"BuildTime", u""}};
    return options;
}

// The offset of the first string table in a block built from the options above.
constexpr std::size_t kStringTableOffset = 40 + 52 + 36;

} // namespace

TEST(FileVersionInfoTest, ReadsFixedInformationLanguageAndStrings) {
    TFileVersionInfo info;
    info.ParseVersionInfo(BuildVersionBlock(FullOptions()));
    EXPECT_EQ(info.Encoding(), TTextEncoding::teUtf16LE);
    EXPECT_TRUE(info.HasFixedFileInfo());
    EXPECT_EQ(info.FixedFileInfo().dwFileVersionMS, 0x00010002u);
    EXPECT_EQ(info.FixedFileInfo().dwFileType, 1u);
    EXPECT_EQ(info.LanguageID(), 0x0409);
    EXPECT_EQ(info.CodePage(), 0x04B0);
    const TStringFileInfo& strings = info.StringFileInfo();
    EXPECT_EQ(strings.CompanyName, "Piriform Ltd");
    EXPECT_EQ(strings.FileDescription, "CCleaner"); // trimmed
    EXPECT_EQ(strings.FileVersion, "5.06.5219");
    EXPECT_EQ(strings.ProductVersion, "5.06"); // names compare without case
    EXPECT_EQ(strings.Comments, "Программа");
    EXPECT_EQ(strings.BuildTime, "");
    EXPECT_EQ(strings.ProductName, "");
    EXPECT_EQ(info.GetFileVersionText(), "1.2.3.4");
    EXPECT_EQ(info.GetProductVersionText(), "5.06");
}

TEST(FileVersionInfoTest, VersionTexts) {
    struct TCase {
        std::uint32_t FileMS, FileLS, ProductMS, ProductLS;
        std::u16string ProductVersion;
        std::string FileText, ProductText;
    };
    const TCase cases[] = {
        {0, 0, 0, 0, u"", "", "0.0.0.0"},
        {0, 0, 0, 0, u"2.0 beta", "", "2.0 beta"},
        {0, 1, 0, 0, u"", "0.0.0.1", "0.0.0.0"},
        {0xFFFFFFFF, 0xFFFEFFFD, 0x000A0000, 0x0014001E, u"", "65535.65535.65534.65533",
         "10.0.20.30"},
    };
    for (const TCase& c : cases) {
        TVersionBlockOptions options;
        options.FileVersionMS = c.FileMS;
        options.FileVersionLS = c.FileLS;
        options.ProductVersionMS = c.ProductMS;
        options.ProductVersionLS = c.ProductLS;
        if (!c.ProductVersion.empty()) {
            options.Strings = {{u"ProductVersion", c.ProductVersion}};
        }
        TFileVersionInfo info;
        info.ParseVersionInfo(BuildVersionBlock(options));
        EXPECT_EQ(info.GetFileVersionText(), c.FileText);
        EXPECT_EQ(info.GetProductVersionText(), c.ProductText);
    }
}

TEST(FileVersionInfoTest, BlockWhoseFirstChildIsNotTheStringBlockHasNoStrings) {
    TVersionBlockOptions options = FullOptions();
    options.VarFileInfoFirst = true;
    TFileVersionInfo info;
    info.ParseVersionInfo(BuildVersionBlock(options));
    EXPECT_EQ(info.GetFileVersionText(), "1.2.3.4");
    EXPECT_EQ(info.StringFileInfo().CompanyName, "");
    EXPECT_EQ(info.LanguageID(), 0);
}

TEST(FileVersionInfoTest, StringTableKeyThatIsNotEightCharactersYieldsNoStrings) {
    for (const std::u16string key : {u"0409b0", u"040904b0x", u""}) {
        TVersionBlockOptions options = FullOptions();
        options.TableKey = key;
        TFileVersionInfo info;
        info.ParseVersionInfo(BuildVersionBlock(options));
        EXPECT_EQ(info.GetFileVersionText(), "1.2.3.4");
        EXPECT_EQ(info.StringFileInfo().CompanyName, "");
        EXPECT_EQ(info.LanguageID(), 0);
        EXPECT_EQ(info.CodePage(), 0);
    }
}

TEST(FileVersionInfoTest, StringTableKeyThatIsNotHexadecimalIsAConversionError) {
    TVersionBlockOptions options = FullOptions();
    options.TableKey = u"0409x4b0";
    TFileVersionInfo info;
    EXPECT_THROW(info.ParseVersionInfo(BuildVersionBlock(options)), TConversionError);
    EXPECT_EQ(info.GetFileVersionText(), "1.2.3.4"); // what was read before stays
    EXPECT_EQ(info.StringFileInfo().CompanyName, "");
}

TEST(FileVersionInfoTest, BlocksWithoutFixedInformation) {
    TVersionBlockOptions noValue = FullOptions();
    noValue.FixedFileInfo = false;
    std::string badSignature = BuildVersionBlock(FullOptions());
    badSignature[40] = 'X';
    std::string otherKey = BuildVersionBlock(FullOptions());
    otherKey[6] = 'W';

    TFileVersionInfo info;
    info.ParseVersionInfo(BuildVersionBlock(noValue)); // the value length must be 52
    EXPECT_FALSE(info.HasFixedFileInfo());
    EXPECT_EQ(info.StringFileInfo().CompanyName, "");

    info.ParseVersionInfo(badSignature); // strings, but no fixed information
    EXPECT_FALSE(info.HasFixedFileInfo());
    EXPECT_EQ(info.GetFileVersionText(), "");
    EXPECT_EQ(info.StringFileInfo().CompanyName, "Piriform Ltd");

    info.ParseVersionInfo(otherKey);
    EXPECT_EQ(info.Encoding(), TTextEncoding::teUtf16LE);
    EXPECT_FALSE(info.HasFixedFileInfo());
    EXPECT_EQ(info.StringFileInfo().CompanyName, "");

    info.ParseVersionInfo("");
    EXPECT_EQ(info.Encoding(), TTextEncoding::teNone);
    EXPECT_EQ(info.LanguageID(), 0);
}

TEST(FileVersionInfoTest, TruncatedBlocksKeepWhatWasReadAndNeverReadPastTheEnd) {
    const std::string block = BuildVersionBlock(FullOptions());
    for (std::size_t size = 0; size < block.size(); ++size) {
        TFileVersionInfo info;
        // Each prefix is copied so that AddressSanitizer sees any read past its end.
        const std::string prefix = block.substr(0, size);
        ASSERT_NO_THROW(info.ParseVersionInfo(prefix)) << size;
        if (size < 92) {
            EXPECT_FALSE(info.HasFixedFileInfo()) << size;
        } else {
            EXPECT_EQ(info.GetFileVersionText(), "1.2.3.4") << size;
        }
    }
}

TEST(FileVersionInfoTest, LengthsThatRunPastTheBlockEndQuietly) {
    std::string block = BuildVersionBlock(FullOptions());
    PatchWord(block, 92, 0xFFFF);                      // the string block
    PatchWord(block, kStringTableOffset, 0xFFFF);      // the string table
    PatchWord(block, kStringTableOffset + 24, 0xFFF0); // its first entry
    TFileVersionInfo info;
    info.ParseVersionInfo(block);
    EXPECT_EQ(info.LanguageID(), 0x0409);
    EXPECT_EQ(info.StringFileInfo().CompanyName, "Piriform Ltd");
    EXPECT_EQ(info.StringFileInfo().Comments, "Программа");

    // A string without its terminator ends at the end of the bytes.
    const std::string cut = block.substr(0, kStringTableOffset + 24 + 40);
    info.ParseVersionInfo(cut);
    EXPECT_EQ(info.StringFileInfo().CompanyName, "Piri");
}

TEST(FileVersionInfoTest, ValuesAreReadFromAlignedPositions) {
    using namespace std::string_literals;
    struct TCase {
        const char* What;
        std::u16string Value;
        std::string Expected;
    };
    const TCase cases[] = {
        // U+4E00 and U+0100 begin with a zero byte in little-endian order.
        {"CJK first character", u"一二三", "一二三"},
        {"Latin Extended first character", u"Ābc", "Ābc"},
        {"empty value", u"", ""},
        {"characters declared after the terminator", u"1.0\0\0"s, "1.0"},
    };
    for (const TCase& c : cases) {
        TVersionBlockOptions options = SampleVersion();
        options.Strings = {{u"Comments", c.Value},
                           {u"CompanyName", u"Piriform Ltd"},
                           {u"ProductVersion", u"5.06"}};
        TFileVersionInfo info;
        info.ParseVersionInfo(BuildVersionBlock(options));
        EXPECT_EQ(info.StringFileInfo().Comments, c.Expected) << c.What;
        EXPECT_EQ(info.StringFileInfo().CompanyName, "Piriform Ltd") << c.What;
        EXPECT_EQ(info.StringFileInfo().ProductVersion, "5.06") << c.What;
    }
}

TEST(FileVersionInfoTest, BlocksWhoseLengthsAreMultiplesOf256) {
    // A growing first value moves every length word through a multiple of 256 (the
    // last value is chosen so that the blocks end on a 32-bit boundary).
    bool stringBlock = false;
    bool table = false;
    bool entry = false;
    for (std::size_t size = 1; size <= 300; ++size) {
        TVersionBlockOptions options = SampleVersion();
        options.Strings = {{u"Comments", std::u16string(size, u'x')},
                           {u"CompanyName", u"Piriform Ltd"},
                           {u"ProductVersion", u"5.0.1"}};
        const std::string block = BuildVersionBlock(options);
        stringBlock = stringBlock || ReadWord(block, 92) % 256 == 0;
        table = table || ReadWord(block, kStringTableOffset) % 256 == 0;
        entry = entry || ReadWord(block, kStringTableOffset + 24) % 256 == 0;
        TFileVersionInfo info;
        info.ParseVersionInfo(block);
        EXPECT_EQ(info.StringFileInfo().Comments.size(), size);
        EXPECT_EQ(info.StringFileInfo().CompanyName, "Piriform Ltd") << size;
        EXPECT_EQ(info.StringFileInfo().ProductVersion, "5.0.1") << size;
    }
    EXPECT_TRUE(stringBlock && table && entry);
}
