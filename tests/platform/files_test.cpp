#include "platform/files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace brivane;

TEST(FilesTest, AtomicWriteReplacesAndCreatesFolders) {
    test::TTempDir dir;
    const auto path = dir / "a/b/Config.dat";
    platform::WriteFileAtomically(path, "first");
    platform::WriteFileAtomically(path, "second");
    EXPECT_EQ(platform::ReadFileBytes(path, 100), "second");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path.parent_path()), {}), 1);
}

TEST(FilesTest, FailedWriteThrowsAndLeavesNoTemporaryFile) {
    test::TTempDir dir;
    dir.Write("target/keep", "old"); // a folder cannot be replaced by a file
    EXPECT_THROW(platform::WriteFileAtomically(dir / "target", "new"), std::runtime_error);
    EXPECT_EQ(platform::ReadFileBytes(dir / "target/keep", 100), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(FilesTest, ReadRefusesMissingOversizedAndNonRegularFiles) {
    test::TTempDir dir;
    const auto path = dir.Write("f", "12345");
    EXPECT_EQ(platform::ReadFileBytes(path, 5), "12345");
    EXPECT_FALSE(platform::ReadFileBytes(path, 4).has_value());
    EXPECT_FALSE(platform::ReadFileBytes(dir / "missing", 100).has_value());
    EXPECT_FALSE(platform::ReadFileBytes(dir.Path(), 100).has_value());
}
