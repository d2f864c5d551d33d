// Damaged and hostile executables: every probe of them ends quietly, with few small reads.

#include "base/little_endian.h"
#include "catalogue/remote_file_info.h"
#include "pe/executable_resources.h"
#include "support/pe_samples.h"

#include <gtest/gtest.h>

#include <functional>

using namespace brivane;
using namespace brivane::test;
using brivane::platform::TMemoryRangeSource;

namespace {

constexpr std::uint32_t kSubdirectory = 0x80000000;

// File offsets of the parts of the sample's version resource.
struct TVersionParts {
    std::size_t RootEntry;     // the version type's entry in the root directory
    std::size_t NameDirectory; // the directory of its names
    std::size_t DataEntry;     // the data entry of its first name and language
    std::size_t Block;         // the version block
};

TVersionParts FindVersionParts(const TPeFile& aFile) {
    const std::string& bytes = aFile.Bytes;
    const std::size_t root = aFile.ResourceOffset;
    TVersionParts parts{};
    const std::size_t entries = ReadWord(bytes, root + 12) + ReadWord(bytes, root + 14);
    for (std::size_t i = 0; i < entries; ++i) {
        if (ReadDWord(bytes, root + 16 + 8 * i) == 16) {
            parts.RootEntry = root + 16 + 8 * i;
        }
    }
    parts.NameDirectory = root + (ReadDWord(bytes, parts.RootEntry + 4) & ~kSubdirectory);
    const std::size_t languages =
        root + (ReadDWord(bytes, parts.NameDirectory + 20) & ~kSubdirectory);
    parts.DataEntry = root + ReadDWord(bytes, languages + 20);
    parts.Block = aFile.ResourceOffset + (ReadDWord(bytes, parts.DataEntry) - aFile.ResourceRva);
    return parts;
}

struct TCase {
    const char* Name;
    std::function<void(TPeFile&, const TVersionParts&)> Damage;
    std::string QuickVersion; // what the light probe still finds
    std::string TreeVersion;  // what the walks through the whole tree still find
};

} // namespace

TEST(ExecutableMalformedTest, DamagedFilesEndTheProbeQuietly) {
    const auto truncate = [](std::size_t aSize) {
        return [aSize](TPeFile& aFile, const TVersionParts&) { aFile.Bytes.resize(aSize); };
    };
    const TCase cases[] = {
        {"empty file", truncate(0), "", ""},
        {"truncated DOS header", truncate(40), "", ""},
        {"truncated PE header", truncate(0x80 + 10), "", ""},
        {"truncated section table", truncate(0x80 + 24 + 224 + 50), "", ""},
        {"truncated resource directory", truncate(0x600 + 20), "", ""},
        {"truncated version block",
         [](TPeFile& aFile, const TVersionParts& aParts) { aFile.Bytes.resize(aParts.Block + 50); },
         "", ""},
        {"no MZ signature", [](TPeFile& aFile, const TVersionParts&) { aFile.Bytes[0] = 'X'; }, "",
         ""},
        {"new header offset zero",
         [](TPeFile& aFile, const TVersionParts&) { PatchDWord(aFile.Bytes, 60, 0); }, "", ""},
        {"new header offset negative",
         [](TPeFile& aFile, const TVersionParts&) { PatchDWord(aFile.Bytes, 60, 0x80000000); }, "",
         ""},
        {"new header offset past the end",
         [](TPeFile& aFile, const TVersionParts&) { PatchDWord(aFile.Bytes, 60, 0x7FFFFFF0); }, "",
         ""},
        {"no PE signature",
         [](TPeFile& aFile, const TVersionParts&) { aFile.Bytes[aFile.PeHeaderOffset + 1] = 'X'; },
         "", ""},
        {"no optional header",
         [](TPeFile& aFile, const TVersionParts&) {
             PatchWord(aFile.Bytes, aFile.PeHeaderOffset + 20, 0);
         },
         "", ""},
        {"thousands of sections",
         [](TPeFile& aFile, const TVersionParts&) {
             PatchWord(aFile.Bytes, aFile.PeHeaderOffset + 6, 5000);
         },
         "", ""},
        {"unknown optional header kind",
         [](TPeFile& aFile, const TVersionParts&) {
             PatchWord(aFile.Bytes, aFile.OptionalHeaderOffset, 0x107);
         },
         "", ""},
        {"resource directory outside every section",
         [](TPeFile& aFile, const TVersionParts&) {
             PatchDWord(aFile.Bytes, aFile.OptionalHeaderOffset + 112, 0x900000);
         },
         "", ""},
        {"resource section past the end of the file",
         [](TPeFile& aFile, const TVersionParts&) {
             PatchDWord(aFile.Bytes, aFile.SectionTableOffset + 40 + 20, 0x7FFFFF00);
         },
         "", ""},
        {"resource section without raw data for its directory",
         [](TPeFile& aFile, const TVersionParts&) {
             PatchDWord(aFile.Bytes, aFile.OptionalHeaderOffset + 112, aFile.ResourceRva + 0x10);
             PatchDWord(aFile.Bytes, aFile.SectionTableOffset + 40 + 16, 0x8);
         },
         "", ""},
        {"root entry offset outside the data",
         [](TPeFile& aFile, const TVersionParts& aParts) {
             PatchDWord(aFile.Bytes, aParts.RootEntry + 4, kSubdirectory | 0x7FFFFFF0);
         },
         "", ""},
        {"root entry that is not a subdirectory",
         [](TPeFile& aFile, const TVersionParts& aParts) {
             PatchDWord(aFile.Bytes, aParts.RootEntry + 4,
                        ReadDWord(aFile.Bytes, aParts.RootEntry + 4) & ~kSubdirectory);
         },
         "", ""},
        {"root claiming 65535 entries",
         [](TPeFile& aFile, const TVersionParts&) {
             PatchWord(aFile.Bytes, aFile.ResourceOffset + 14, 0xFFFF);
         },
         "9.8.7.6", "9.8.7.6"},
        {"directory that contains itself",
         [](TPeFile& aFile, const TVersionParts& aParts) {
             PatchDWord(aFile.Bytes, aParts.NameDirectory + 20,
                        kSubdirectory | static_cast<std::uint32_t>(aParts.NameDirectory -
                                                                   aFile.ResourceOffset));
         },
         "", "0.0.0.2"}, // the walk goes on with the next name
        {"directory that leads back to the root",
         [](TPeFile& aFile, const TVersionParts& aParts) {
             PatchDWord(aFile.Bytes, aParts.NameDirectory + 20, kSubdirectory);
         },
         "", ""},
        {"name directory without entries",
         [](TPeFile& aFile, const TVersionParts& aParts) {
             PatchWord(aFile.Bytes, aParts.NameDirectory + 14, 0);
         },
         "", ""},
        {"data entry with a huge size",
         [](TPeFile& aFile, const TVersionParts& aParts) {
             PatchDWord(aFile.Bytes, aParts.DataEntry + 4, 0xFFFFFFF0);
         },
         "", ""},
        {"data entry outside every section",
         [](TPeFile& aFile, const TVersionParts& aParts) {
             PatchDWord(aFile.Bytes, aParts.DataEntry, 0x900000);
         },
         "", ""},
        {"data entry past the end of the file",
         [](TPeFile& aFile, const TVersionParts& aParts) {
             PatchDWord(aFile.Bytes, aParts.DataEntry + 4, 0x8000);
         },
         "", ""},
        {"string table length past the block",
         [](TPeFile& aFile, const TVersionParts& aParts) {
             PatchWord(aFile.Bytes, aParts.Block + 92 + 36, 0xFFFF);
         },
         "9.8.7.6", "9.8.7.6"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TPeFile file = BuildPeFile(SampleProgram());
        c.Damage(file, FindVersionParts(file));

        TRemoteFileInfo probe("http://127.0.0.1/setup.exe",
                              std::make_unique<TMemoryRangeSource>(file.Bytes));
        ASSERT_NO_THROW(probe.GetInfo(false, false));
        EXPECT_EQ(probe.FileVersionInfo().GetFileVersionText(), c.QuickVersion);
        EXPECT_LE(probe.Requests(), 8);
        EXPECT_LT(probe.Bytes(), 4096);

        ASSERT_NO_THROW(probe.GetInfo(true, true));
        TMemoryRangeSource local(file.Bytes);
        TFileVersionInfo info;
        ASSERT_NO_THROW(ReadFileVersionInfo(local, info));
        EXPECT_EQ(info.GetFileVersionText(), c.TreeVersion);
        for (const int index : {0, 1, -101}) {
            ASSERT_NO_THROW(ReadIconGroup(local, index));
        }
    }
}
