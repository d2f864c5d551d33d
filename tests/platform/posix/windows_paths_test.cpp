#include "platform/windows_paths.h"

#include "platform/registry_source.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

using brivane::platform::MatchesMask;
using brivane::platform::TWindowsPathResolver;
using brivane::test::TTempDir;
namespace fs = std::filesystem;

namespace {

// A Wine prefix with drive C, drive D on a folder outside the prefix, and a drive E
// whose link leads nowhere.
class WindowsPathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        fPrefix = fRoot / "prefix";
        fs::create_directories(fPrefix / "dosdevices");
        fs::create_directories(fPrefix / "drive_c");
        fs::create_symlink("../drive_c", fPrefix / "dosdevices" / "c:");
        fs::create_symlink(fRoot / "media", fPrefix / "dosdevices" / "d:");
        fs::create_symlink(fRoot / "nowhere", fPrefix / "dosdevices" / "e:");
        fRoot.Write("prefix/dosdevices/c::", ""); // a raw device entry, not a drive
        fRoot.Write("prefix/drive_c/Program Files/CCleaner/CCleaner.exe", "exe");
        fRoot.Write("prefix/drive_c/Program Files/CCleaner/lang/lang-1049.dll", "dll");
        fRoot.Write("prefix/drive_c/Program Files/CCleaner/uninst.EXE", "exe");
        fRoot.Write("prefix/drive_c/Program Files/CCleaner/readme.txt", "txt");
        fRoot.Write("prefix/drive_c/Программы/Тест/Файл.exe", "exe");
        fRoot.Write("prefix/drive_c/Twins/Name", "upper");
        fRoot.Write("prefix/drive_c/Twins/name", "lower");
        fRoot.Write("media/Setup/SETUP.EXE", "exe");
    }

    fs::path Drive(const char* aPath) const { return fPrefix / "drive_c" / aPath; }

    TTempDir fRoot;
    fs::path fPrefix;
};

} // namespace

TEST_F(WindowsPathsTest, ResolvesThroughTheDriveLinksWithoutCase) {
    const TWindowsPathResolver files(fPrefix);
    const fs::path exe = Drive("Program Files/CCleaner/CCleaner.exe");
    struct TCase {
        const char* WindowsPath;
        fs::path Expected;
    };
    const TCase cases[] = {
        {"C:\\Program Files\\CCleaner\\CCleaner.exe", exe},
        {"c:\\program files\\ccleaner\\ccleaner.exe", exe},
        {"C:/Program Files/CCleaner/CCleaner.exe", exe},
        {"C:\\\\Program Files\\.\\CCleaner\\lang\\..\\CCleaner.exe", exe},
        {"C:\\..\\..\\Program Files\\CCleaner\\CCleaner.exe", exe}, // never above the root
        {"C:\\Program Files\\CCleaner\\", Drive("Program Files/CCleaner")},
        {"C:\\ПРОГРАММЫ\\тест\\файл.EXE", Drive("Программы/Тест/Файл.exe")},
        {"d:\\setup\\setup.exe", fRoot / "media/Setup/SETUP.EXE"},
        {"C:\\Twins\\name", Drive("Twins/name")}, // the exact case wins
        {"C:\\Twins\\NAME", Drive("Twins/Name")}, // else the first in byte order
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.WindowsPath);
        const auto path = files.Resolve(c.WindowsPath);
        ASSERT_TRUE(path.has_value());
        EXPECT_TRUE(fs::equivalent(*path, c.Expected));
    }
    EXPECT_TRUE(files.Resolve("C:").has_value());
    EXPECT_TRUE(files.Resolve("c:\\").has_value());
}

TEST_F(WindowsPathsTest, PathsThatNameNoFile) {
    const TWindowsPathResolver files(fPrefix);
    for (const char* path :
         {"", "C", "C:Program Files", "\\Program Files\\CCleaner\\CCleaner.exe",
          "Program Files\\CCleaner", "\\\\server\\share\\file.exe",
          "%ProgramFiles%\\CCleaner\\CCleaner.exe", "C:\\Program Files\\Missing.exe",
          "C:\\Program Files\\CCleaner\\CCleaner.exe\\more", "E:\\anything",
          "E:", "F:\\Program Files", "1:\\Program Files", "\"C:\\Program Files\""}) {
        EXPECT_FALSE(files.Resolve(path).has_value()) << path;
    }
    const TWindowsPathResolver noPrefix;
    EXPECT_FALSE(noPrefix.Resolve("C:\\Program Files\\CCleaner\\CCleaner.exe").has_value());
    EXPECT_FALSE(noPrefix.FolderExists("C:\\"));
    EXPECT_TRUE(noPrefix.ListFolder("C:\\Program Files\\CCleaner").empty());
    const TWindowsPathResolver missingPrefix(fRoot / "no-such-prefix");
    EXPECT_FALSE(missingPrefix.Resolve("C:\\").has_value());
}

TEST_F(WindowsPathsTest, FilesFoldersAndListings) {
    const TWindowsPathResolver files(fPrefix);
    EXPECT_TRUE(files.FileExists("C:\\program files\\ccleaner\\ccleaner.exe"));
    EXPECT_FALSE(files.FileExists("C:\\program files\\ccleaner"));
    EXPECT_TRUE(files.FolderExists("C:\\program files\\ccleaner"));
    EXPECT_FALSE(files.FolderExists("C:\\program files\\ccleaner\\ccleaner.exe"));

    EXPECT_EQ(files.ListFolder("c:\\PROGRAM FILES\\ccleaner", "*.exe"),
              (std::vector<std::string>{"CCleaner.exe", "uninst.EXE"}));
    EXPECT_EQ(files.ListFolder("C:\\Program Files\\CCleaner"),
              (std::vector<std::string>{"CCleaner.exe", "lang", "readme.txt", "uninst.EXE"}));
    EXPECT_TRUE(files.ListFolder("C:\\Program Files\\CCleaner\\CCleaner.exe").empty());
    EXPECT_TRUE(files.ListFolder("C:\\Missing").empty());
}

TEST_F(WindowsPathsTest, CurrentResolverFollowsTheRegistrySource) {
    brivane::platform::SetRegistryPathOverride(fPrefix);
    EXPECT_TRUE(brivane::platform::CurrentWindowsPathResolver().FileExists(
        "C:\\Program Files\\CCleaner\\CCleaner.exe"));
    const auto exported = fRoot.Write("export.reg", "REGEDIT4\r\n");
    brivane::platform::SetRegistryPathOverride(exported);
    EXPECT_EQ(brivane::platform::CurrentWindowsPathResolver().Prefix(), fs::path());
    brivane::platform::SetRegistryPathOverride({});
}

TEST(WindowsMaskTest, MatchesWildcardsWithoutCase) {
    struct TCase {
        const char* Name;
        const char* Mask;
        bool Matches;
    };
    const TCase cases[] = {
        {"PotPlayerMini64.exe", "*.exe", true},
        {"setup.EXE", "*.exe", true},
        {"setup.exe.txt", "*.exe", false},
        {"a", "*", true},
        {"", "*", true},
        {"", "?", false},
        {"abc", "a?c", true},
        {"abbc", "a?c", false},
        {"Файл.exe", "ФАЙЛ.*", true},
        {"aaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*c", false},
        {"readme", "read*me", true},
        {"readme", "readme?", false},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(MatchesMask(c.Name, c.Mask), c.Matches) << c.Name << " " << c.Mask;
    }
}
