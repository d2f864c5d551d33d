#include "pe/byte_range_source.h"
#include "platform/files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

using namespace brivane;

TEST(FilesTest, ReadsOnlyRegularFilesWithinTheLimit) {
    test::TTempDir dir;
    const auto path = dir.Write("f", "12345");
    EXPECT_EQ(platform::ReadFileBytes(path, 5), "12345");
    const auto fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto unreadable = dir.Write("unreadable", "secret");
    std::filesystem::permissions(unreadable, std::filesystem::perms::none);
    using platform::TReadError;
    const struct {
        std::filesystem::path Path;
        std::size_t Limit;
        TReadError Error;
        std::string Reason;
    } cases[] = {
        {path, 4, TReadError::TooLarge, "larger than 4 bytes"},
        {path, 0, TReadError::TooLarge, "larger than 0 bytes"},
        {dir / "missing", 100, TReadError::Missing, "no such file"},
        {dir / "f/below a file", 100, TReadError::Missing, "no such file"},
        {dir.Path(), 100, TReadError::NotRegularFile, "not a regular file"},
        // Opening a FIFO without a writer, or a device, must not wait or read for ever.
        {fifo, 100, TReadError::NotRegularFile, "not a regular file"},
        {"/dev/zero", 1 << 20, TReadError::NotRegularFile, "not a regular file"},
        {unreadable, 100, TReadError::Unreadable, "Permission denied"},
    };
    for (const auto& test : cases) {
        if (test.Path == unreadable && ::geteuid() == 0) {
            continue; // the superuser reads every file
        }
        // A read that blocks would hang here; a writer opening the FIFO frees it.
        auto read = std::async(std::launch::async,
                               [&] { return platform::ReadRegularFile(test.Path, test.Limit); });
        if (read.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
            ADD_FAILURE() << test.Path << ": the read blocks";
            const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            ::close(writer);
        }
        const auto result = read.get();
        EXPECT_FALSE(result.Bytes.has_value()) << test.Path;
        EXPECT_EQ(result.Error, test.Error) << test.Path;
        EXPECT_EQ(result.Reason, test.Reason) << test.Path;
        EXPECT_EQ(platform::OpenFileRangeSource(test.Path) != nullptr,
                  test.Error == TReadError::TooLarge)
            << test.Path;
    }
}
