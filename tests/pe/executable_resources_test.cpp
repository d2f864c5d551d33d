#include "pe/executable_resources.h"

#include "base/little_endian.h"
#include "pe/executable_icons.h"
#include "support/pe_samples.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;
using brivane::platform::TMemoryRangeSource;

namespace {

std::string IconGroupOf(const TPeFileOptions& aOptions, int aIndex) {
    TMemoryRangeSource source(BuildPeFile(aOptions).Bytes);
    return ReadIconGroup(source, aIndex);
}

// The images of an icon file, checked against its directory.
std::vector<std::string> ImagesOf(const std::string& aIcon) {
    EXPECT_TRUE(IsIconFile(aIcon));
    std::vector<std::string> images;
    for (std::size_t i = 0; i < ReadWord(aIcon, 4); ++i) {
        const std::size_t entry = 6 + 16 * i;
        images.push_back(aIcon.substr(ReadDWord(aIcon, entry + 12), ReadDWord(aIcon, entry + 8)));
    }
    return images;
}

} // namespace

TEST(ExecutableResourcesTest, ReadsTheFirstVersionOfAnExecutable) {
    for (const bool pe64 : {false, true}) {
        TMemoryRangeSource source(BuildPeFile(SampleProgram(pe64)).Bytes);
        TFileVersionInfo info;
        ASSERT_TRUE(ReadFileVersionInfo(source, info));
        EXPECT_EQ(info.GetFileVersionText(), "9.8.7.6");
        EXPECT_EQ(info.LanguageID(), 0x0419);
        EXPECT_EQ(info.StringFileInfo().ProductName, "Sample");
    }
}

TEST(ExecutableResourcesTest, IconGroupsByIndexAndById) {
    const std::string image16 = BuildIconImage(16, 32, 0x11);
    const std::string image32 = BuildIconImage(32, 32, 0x22);
    const std::string image48 = BuildIconImage(48, 8, 0x33);
    struct TCase {
        int Index;
        std::vector<std::string> Images;
    };
    const TCase cases[] = {
        {0, {image48}},          // the named group comes first
        {1, {image16, image32}}, // group 101
        {2, {image32}},          {3, {}}, {-101, {image16, image32}}, {-102, {image32}}, {-1, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Index);
        const std::string icon = IconGroupOf(SampleProgram(), c.Index);
        if (c.Images.empty()) {
            EXPECT_EQ(icon, "");
            continue;
        }
        EXPECT_EQ(ImagesOf(icon), c.Images);
    }
    // The directory entry of an image carries the group's description of it and the
    // image's real size.
    const std::string icon = IconGroupOf(SampleProgram(), 0);
    EXPECT_EQ(static_cast<unsigned char>(icon[6]), 48); // width
    EXPECT_EQ(ReadWord(icon, 6 + 6), 8);                // bit count
    EXPECT_EQ(ReadDWord(icon, 6 + 8), image48.size());  // byte count
    EXPECT_EQ(ReadDWord(icon, 6 + 12), 22u);            // offset
}

TEST(ExecutableResourcesTest, MissingImagesAndMalformedGroups) {
    std::string badType = BuildGroupIcon({{16, 32, 0, 1}});
    badType[2] = 2; // a cursor group
    std::string shortGroup = BuildGroupIcon({{16, 32, 0, 1}, {32, 32, 0, 2}});
    shortGroup.resize(shortGroup.size() - 1);
    struct TCase {
        const char* Name;
        std::string Group;
        std::size_t Images;
    };
    const TCase cases[] = {
        {"one image missing", BuildGroupIcon({{16, 32, 0, 7}, {16, 32, 0, 1}}), 1},
        {"every image missing", BuildGroupIcon({{16, 32, 0, 7}}), 0},
        {"not an icon group", badType, 0},
        {"no images", BuildGroupIcon({}), 0},
        {"directory cut short", shortGroup, 0},
        {"empty", "", 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TPeFileOptions options;
        options.Resources = {{std::uint16_t{3}, std::uint16_t{1}, 0, BuildIconImage(16, 32, 1)},
                             {std::uint16_t{14}, std::uint16_t{1}, 0, c.Group}};
        const std::string icon = IconGroupOf(options, 0);
        if (c.Images == 0) {
            EXPECT_EQ(icon, "");
        } else {
            EXPECT_EQ(ImagesOf(icon).size(), c.Images);
        }
    }
}

TEST(ExecutableResourcesTest, IconFileCheck) {
    const std::string icon = IconGroupOf(SampleProgram(), 1);
    ASSERT_TRUE(IsIconFile(icon));
    std::string pastTheEnd = icon;
    PatchDWord(pastTheEnd, 6 + 16 + 8, 0x7FFFFFFF);
    std::string notIcon = icon;
    notIcon[2] = 2;
    for (const std::string& bad :
         {std::string(), icon.substr(0, 21), pastTheEnd, notIcon, std::string("\0\0\1\0\0\0", 6)}) {
        EXPECT_FALSE(IsIconFile(bad));
    }
}
