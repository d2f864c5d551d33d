#include "pe/byte_range_source.h"
#include "platform/file_lock.h"
#include "platform/file_stream.h"
#include "platform/files.h"
#include "platform/private_folder.h"
#include "support/private_access.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace brivane::test {
namespace {

using platform::TReadError;
namespace fs = std::filesystem;

TEST(FilesWindowsTest, FoldersDevicesAndPipesAreNotReadNorWaitedFor) {
    TTempDir dir;
    const auto file = dir.Write("файл.txt", "12345");
    // A pipe nobody writes to: a read that waited would never end.
    const std::wstring pipeName =
        L"\\\\.\\pipe\\brivane-test-" + std::to_wstring(GetCurrentProcessId());
    const HANDLE pipe = CreateNamedPipeW(pipeName.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1,
                                         0, 0, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    const struct {
        fs::path Path;
        std::size_t Limit;
        TReadError Error;
        std::string Reason;
    } cases[] = {
        {file, 4, TReadError::TooLarge, "larger than 4 bytes"},
        {dir / "missing", 100, TReadError::Missing, "no such file"},
        {dir / "missing folder/file", 100, TReadError::Missing, "no such file"},
        {dir.Path(), 100, TReadError::NotRegularFile, "not a regular file"},
        {L"NUL", 100, TReadError::NotRegularFile, "not a regular file"},
        {pipeName, 100, TReadError::NotRegularFile, "not a regular file"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.Path.u8string().size());
        const auto result = platform::ReadRegularFile(test.Path, test.Limit);
        EXPECT_FALSE(result.Bytes.has_value());
        EXPECT_EQ(result.Error, test.Error);
        EXPECT_EQ(result.Reason, test.Reason);
        EXPECT_EQ(platform::OpenFileRangeSource(test.Path) != nullptr,
                  test.Error == TReadError::TooLarge);
    }
    CloseHandle(pipe);
    EXPECT_EQ(platform::ReadFileBytes(file, 5), "12345");
    const auto range = platform::OpenFileRangeSource(file);
    ASSERT_TRUE(range);
    EXPECT_EQ(range->ReadRange(1, 3), "234");
    EXPECT_EQ(range->ReadRange(3, 100), "45"); // what the file has of the range
    EXPECT_EQ(range->ReadRange(5, 6), "");
}

TEST(FilesWindowsTest, ReadOnlyFilesAreToldAndFilesReplaced) {
    TTempDir dir;
    const auto path = dir.Write("settings.dat", "old");
    EXPECT_FALSE(platform::IsReadOnlyFile(path));
    EXPECT_FALSE(platform::IsReadOnlyFile(dir / "missing"));
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(platform::IsReadOnlyFile(path));
    EXPECT_EQ(platform::ReadFileBytes(path, 100), "old");
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(platform::IsReadOnlyFile(path));
    platform::WriteFileAtomically(path, "new");
    EXPECT_EQ(platform::ReadFileBytes(path, 100), "new");
    EXPECT_TRUE(platform::DeleteFileOnly(path));
    EXPECT_FALSE(platform::DeleteFileOnly(dir.Path())); // a folder never
    EXPECT_TRUE(fs::is_directory(dir.Path()));
}

TEST(FilesWindowsTest, StreamsForWritingReplaceOrCreateExclusively) {
    TTempDir dir;
    const fs::path path = dir.Path() / u8"загрузка.exe";
    const auto write = [&](platform::TFileCreation aCreation, const char* aBytes) {
        std::FILE* stream = platform::OpenFileForWriting(path, aCreation);
        if (stream == nullptr) {
            return false;
        }
        std::fputs(aBytes, stream);
        return std::fclose(stream) == 0;
    };
    EXPECT_TRUE(write(platform::TFileCreation::Exclusive, "first"));
    errno = 0;
    EXPECT_FALSE(write(platform::TFileCreation::Exclusive, "second")); // never over a file
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(platform::ReadFileBytes(path, 100), "first");
    EXPECT_TRUE(write(platform::TFileCreation::Replace, "third\n"));
    EXPECT_EQ(platform::ReadFileBytes(path, 100), "third\n"); // bytes, no line-end translation
    EXPECT_EQ(platform::OpenFileForWriting(dir.Path() / "missing" / "x",
                                           platform::TFileCreation::Replace),
              nullptr);
}

// Whether another handle of the file can take its lock now.
bool CanLock(const fs::path& aPath) {
    const HANDLE file = CreateFileW(aPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    OVERLAPPED whole{};
    const bool locked = LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                                   MAXDWORD, MAXDWORD, &whole) != 0;
    CloseHandle(file);
    return locked;
}

TEST(FilesWindowsTest, TheLockExcludesOtherHandlesUntilItEnds) {
    TTempDir dir;
    const auto path = dir / "settings.lock";
    {
        const platform::TFileLock lock(path);
        EXPECT_TRUE(fs::exists(path));
        EXPECT_FALSE(CanLock(path));
    }
    EXPECT_TRUE(CanLock(path));
    EXPECT_THROW(platform::TFileLock(dir / "missing folder" / "x.lock"), std::runtime_error);
}

TEST(FilesWindowsTest, PrivateFoldersAndFilesAreTheUsersAlone) {
    TTempDir dir;
    const auto first = platform::CreatePrivateFolder(dir.Path(), "download-");
    const auto second = platform::CreatePrivateFolder(dir.Path(), "download-");
    EXPECT_NE(first, second);
    EXPECT_TRUE(fs::is_directory(first));
    EXPECT_TRUE(first.filename().string().starts_with("download-"));
    ExpectOnlyTheUser(first);
    const auto key = first / "secret.key";
    platform::WritePrivateFile(key, "secret");
    EXPECT_EQ(platform::ReadFileBytes(key, 100), "secret");
    ExpectOnlyTheUser(key);
    EXPECT_THROW(platform::WritePrivateFile(key, "other"), std::runtime_error); // never over one
    EXPECT_EQ(platform::ReadFileBytes(key, 100), "secret");
    EXPECT_THROW(platform::CreatePrivateFolder(dir / "missing", "x-"), std::runtime_error);
}

} // namespace
} // namespace brivane::test
