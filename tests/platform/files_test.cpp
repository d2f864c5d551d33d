#include "pe/byte_range_source.h"
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
