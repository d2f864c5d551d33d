#include "catalogue/remote_file_info.h"

#include "base/little_endian.h"
#include "pe/executable_icons.h"
#include "pe/executable_resources.h"
#include "support/pe_samples.h"

#include <gtest/gtest.h>

#include <functional>

using namespace brivane;
using namespace brivane::test;
using brivane::platform::IByteRangeSource;
using brivane::platform::TMemoryRangeSource;

namespace {

TRemoteFileInfo ProbeOf(std::string aBytes) {
    return TRemoteFileInfo("http://127.0.0.1/setup.exe",
                           std::make_unique<TMemoryRangeSource>(std::move(aBytes)));
}

// A server that ignores the range and answers with the whole file.
class TWholeFileSource final : public IByteRangeSource {
public:
    explicit TWholeFileSource(std::string aBytes) : fBytes(std::move(aBytes)) {}
    std::string ReadRange(std::int64_t, std::int64_t) override { return fBytes; }

private:
    std::string fBytes;
};

} // namespace

TEST(RemoteFileInfoTest, LightProbeReadsTheVersionWithEightSmallRequests) {
    for (const bool pe64 : {false, true}) {
        SCOPED_TRACE(pe64 ? "PE32+" : "PE32");
        TRemoteFileInfo probe = ProbeOf(BuildPeFile(SampleProgram(pe64)).Bytes);
        probe.GetInfo(false, false);
        const TFileVersionInfo& info = probe.FileVersionInfo();
        // The first name and its first language: the Russian version.
        EXPECT_EQ(info.GetFileVersionText(), "9.8.7.6");
        EXPECT_EQ(info.GetProductVersionText(), "5.6 Final");
        EXPECT_EQ(info.LanguageID(), 0x0419);
        EXPECT_EQ(info.CodePage(), 1251);
        EXPECT_EQ(info.StringFileInfo().CompanyName, "Sample Software");
        EXPECT_EQ(probe.Requests(), 8);
        EXPECT_LT(probe.Bytes(), 2048);
        EXPECT_EQ(probe.Sections().size(), 2u);
        EXPECT_EQ(probe.ResourceDirectoryOffset(), 0x600u);
        EXPECT_TRUE(probe.Icons().empty());
    }
}

TEST(RemoteFileInfoTest, FullProbeReadsTheResourceBlockOnceAndCollectsIcons) {
    for (const bool pe64 : {false, true}) {
        const TPeFile file = BuildPeFile(SampleProgram(pe64));
        TRemoteFileInfo probe = ProbeOf(file.Bytes);
        probe.GetInfo(true, true);
        EXPECT_EQ(probe.FileVersionInfo().GetFileVersionText(), "9.8.7.6");
        EXPECT_EQ(probe.Requests(), 4);
        ASSERT_EQ(probe.Icons().size(), 3u);
        const std::string image = BuildIconImage(48, 8, 0x33);
        const TIconInfo& icon = probe.Icons()[2];
        EXPECT_EQ(icon.fIconSize, 96); // the bitmap's height counts colour and mask
        EXPECT_EQ(icon.fBitsPerPixel, 8);
        EXPECT_TRUE(IsIconFile(icon.fIcon));
        EXPECT_EQ(icon.fIcon.size(), 22 + image.size());
        EXPECT_EQ(ReadWord(icon.fIcon, 6 + 6), 8);             // bit count
        EXPECT_EQ(ReadDWord(icon.fIcon, 6 + 8), image.size()); // byte count
        EXPECT_EQ(icon.fIcon.substr(22), image);

        probe.GetInfo(true, false); // every probe starts afresh
        EXPECT_TRUE(probe.Icons().empty());
        EXPECT_EQ(probe.FileVersionInfo().GetFileVersionText(), "9.8.7.6");
    }
}

TEST(RemoteFileInfoTest, IconInfoOfShortImages) {
    const TIconInfo tiny = MakeIconInfo("abc");
    EXPECT_EQ(tiny.fIconSize, 0);
    EXPECT_EQ(tiny.fBitsPerPixel, 32);
    std::string wide(16, '\0');
    wide[8] = 16;
    wide[14] = 64; // more than 32 bits per pixel is taken as 32
    const TIconInfo clamped = MakeIconInfo(wide);
    EXPECT_EQ(clamped.fIconSize, 16);
    EXPECT_EQ(clamped.fBitsPerPixel, 32);
}

TEST(RemoteFileInfoTest, WhatTheLightProbeCannotFind) {
    TPeFileOptions iconsOnly;
    iconsOnly.Resources = {{std::uint16_t{3}, std::uint16_t{1}, 0, BuildIconImage(16, 32, 1)}};
    // A root directory whose version type entry lies beyond its first 512 bytes.
    TPeFileOptions manyTypes;
    for (int i = 0; i < 70; ++i) {
        manyTypes.Resources.push_back(
            {u"T" + std::u16string(1, static_cast<char16_t>(u'A' + i)), std::uint16_t{1}, 0, "x"});
    }
    manyTypes.Resources.push_back(
        {std::uint16_t{16}, std::uint16_t{1}, 0x0409, BuildVersionBlock(SampleVersion())});

    struct TCase {
        const char* Name;
        std::string Bytes;
        int Requests;
        std::string FullVersion;
    };
    const TCase cases[] = {
        {"not an executable", "This is a text file, long enough for a DOS header... and more.", 1,
         ""},
        {"no resource section", BuildPeFile({}).Bytes, 3, ""},
        {"no version resource", BuildPeFile(iconsOnly).Bytes, 4, ""},
        {"version type beyond 512 bytes", BuildPeFile(manyTypes).Bytes, 4, "1.2.3.4"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRemoteFileInfo probe = ProbeOf(c.Bytes);
        probe.GetInfo(false, false);
        EXPECT_EQ(probe.FileVersionInfo().GetFileVersionText(), "");
        EXPECT_EQ(probe.FileVersionInfo().Encoding(), TTextEncoding::teNone);
        EXPECT_EQ(probe.Requests(), c.Requests);
        probe.GetInfo(true, false);
        EXPECT_EQ(probe.FileVersionInfo().GetFileVersionText(), c.FullVersion);
        TMemoryRangeSource local(c.Bytes);
        TFileVersionInfo info;
        EXPECT_EQ(ReadFileVersionInfo(local, info), !c.FullVersion.empty());
        EXPECT_EQ(info.GetFileVersionText(), c.FullVersion);
    }
}

TEST(RemoteFileInfoTest, ServerThatIgnoresTheRangeCostsOneRequest) {
    TRemoteFileInfo probe("http://127.0.0.1/setup.exe",
                          std::make_unique<TWholeFileSource>(BuildPeFile(SampleProgram()).Bytes));
    probe.GetInfo(false, false);
    EXPECT_EQ(probe.Requests(), 1);
    EXPECT_EQ(probe.FileVersionInfo().GetFileVersionText(), "");
}

TEST(RemoteFileInfoTest, StringTableKeyThatIsNotHexadecimalEscapesTheProbe) {
    TVersionBlockOptions version = SampleVersion();
    version.TableKey = u"0409x4b0";
    TPeFileOptions options;
    options.Resources = {{std::uint16_t{16}, std::uint16_t{1}, 0x0409, BuildVersionBlock(version)}};
    TRemoteFileInfo probe = ProbeOf(BuildPeFile(options).Bytes);
    EXPECT_THROW(probe.GetInfo(false, false), TConversionError);
    EXPECT_EQ(probe.FileVersionInfo().GetFileVersionText(), "1.2.3.4");
    EXPECT_THROW(probe.GetInfo(true, false), TConversionError);
}
