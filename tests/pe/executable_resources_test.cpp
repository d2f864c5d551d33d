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

// An executable whose resources are one icon group naming image 7 as the last of its
// 65535 images and an icon directory of 131070 entries (the most one can count), only
// its last one image 7: a walk of the directory per image would cost billions of
// comparisons. Written by hand, since the test writer builds a tree per resource.
std::string LargestIconGroupExecutable(const std::string& aImage) {
    constexpr std::uint32_t kIconEntries = 2 * 0xFFFF;
    constexpr std::uint32_t kGroupDirectory = 32, kGroupData = 56, kImageData = 72;
    constexpr std::uint32_t kIconDirectory = 88, kSectionRva = 0x1000, kSectionOffset = 0x200;
    std::vector<TGroupIconImage> images(0xFFFF, {16, 32, 0, 1});
    images.back().Id = 7;
    const std::string group = BuildGroupIcon(images);

    std::string res;
    const auto directory = [&res](std::uint16_t aNamed, std::uint16_t aIds) {
        res.append(12, '\0');
        AppendWord(res, aNamed);
        AppendWord(res, aIds);
    };
    const auto entry = [&res](std::uint32_t aId, std::uint32_t aOffset) {
        AppendDWord(res, aId);
        AppendDWord(res, aOffset);
    };
    directory(0, 2); // the root: icons and icon groups
    entry(3, 0x80000000 | kIconDirectory);
    entry(14, 0x80000000 | kGroupDirectory);
    directory(0, 1);
    entry(1, kGroupData);
    const std::uint32_t groupAt = kIconDirectory + 16 + 8 * kIconEntries;
    for (const auto& [at, size] :
         {std::pair{groupAt, group.size()},
          std::pair{groupAt + std::uint32_t(group.size()), aImage.size()}}) {
        AppendDWord(res, kSectionRva + at);
        AppendDWord(res, static_cast<std::uint32_t>(size));
        res.append(8, '\0');
    }
    directory(0xFFFF, 0xFFFF);
    for (std::uint32_t i = 1; i < kIconEntries; ++i) {
        entry(0xFFFF0000, kImageData); // a name, never an image's ID
    }
    entry(7, kImageData);
    res += group + aImage;

    std::string file(kSectionOffset, '\0');
    PatchWord(file, 0, 0x5A4D); // "MZ"
    PatchDWord(file, 60, 64);   // the PE header
    file.replace(64, 4, "PE\0\0", 4);
    PatchWord(file, 64 + 4, 0x14C); // i386
    PatchWord(file, 64 + 6, 1);     // one section
    PatchWord(file, 64 + 20, 0xE0); // the optional header's size
    PatchWord(file, 88, 0x10B);     // PE32
    PatchDWord(file, 88 + 112, kSectionRva);
    PatchDWord(file, 88 + 116, static_cast<std::uint32_t>(res.size()));
    const std::size_t section = 88 + 0xE0;
    PatchDWord(file, section + 8, static_cast<std::uint32_t>(res.size()));
    PatchDWord(file, section + 12, kSectionRva);
    PatchDWord(file, section + 16, static_cast<std::uint32_t>(res.size()));
    PatchDWord(file, section + 20, kSectionOffset);
    return file + res;
}

TEST(ExecutableResourcesTest, LargestGroupOverLargestIconDirectory) {
    const std::string image = BuildIconImage(16, 32, 0x55);
    TMemoryRangeSource source(LargestIconGroupExecutable(image));
    EXPECT_EQ(ImagesOf(ReadIconGroup(source, 0)), std::vector<std::string>{image});
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
