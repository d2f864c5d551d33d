#include "base/unicode.h"
#include "platform/code_page.h"
#include "platform/folders.h"
#include "platform/locale.h"
#include "platform/system_assessment.h"
#include "platform/system_facts.h"
#include "platform/threads.h"
#include "platform/windows/language.h"
#include "platform/windows/live_registry.h"
#include "platform/windows_paths.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace brivane::test {
namespace {

namespace fs = std::filesystem;

TEST(FoldersWindowsTest, TheRoamingFolderIsTheKnownFolderUnlessMoved) {
    wchar_t* known = nullptr;
    ASSERT_TRUE(SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &known)));
    const fs::path roaming = known;
    CoTaskMemFree(known);
    {
        const TScopedEnv unset("XDG_DATA_HOME", nullptr);
        EXPECT_EQ(platform::GetRoamingDataFolder(), roaming);
        EXPECT_EQ(platform::GetAppDataFolder(), roaming / "Brivane" / "");
    }
    {
        const TScopedEnv relative("XDG_DATA_HOME", "relative\\folder"); // not a place: ignored
        EXPECT_EQ(platform::GetRoamingDataFolder(), roaming);
    }
    TTempDir dir;
    const TScopedEnv moved("XDG_DATA_HOME", dir.Path().string().c_str());
    EXPECT_EQ(platform::GetRoamingDataFolder(), dir.Path());
}

TEST(FoldersWindowsTest, TheExecutableAndTheTemporaryFolder) {
    const fs::path executable = platform::GetExecutableFile();
    EXPECT_TRUE(fs::is_regular_file(executable));
    EXPECT_TRUE(SameText(executable.extension().string(), ".exe"));
    EXPECT_EQ(platform::GetExecutableFolder(), executable.parent_path());
    const fs::path temp = platform::GetTempFolder();
    EXPECT_TRUE(fs::is_directory(temp));
    EXPECT_NE(temp.wstring().back(), L'\\');
}

TEST(LocaleWindowsTest, LanguagesOfLanguageIdentifiers) {
    const struct {
        unsigned short Id;
        const char* Code;
    } cases[] = {{0x0419, "ru"}, {0x0409, "en"}, {0x0809, "en"},
                 {0x0407, "de"}, {0x0422, "uk"}, {0x0000, ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(platform::windows::LanguageOfLangId(c.Id), c.Code) << c.Id;
    }
    const std::string language = platform::GetSystemLanguageCode();
    EXPECT_EQ(language, LowerCase(language));
    EXPECT_FALSE(platform::GetDecimalSeparator().empty());
}

TEST(CodePageWindowsTest, EveryByteOfTheAnsiCodePageBecomesUtf8) {
    EXPECT_EQ(platform::AnsiToUtf8(""), "");
    EXPECT_EQ(platform::AnsiToUtf8("plain ASCII"), "plain ASCII");
    std::string bytes;
    for (int byte = 1; byte < 256; ++byte) {
        bytes += static_cast<char>(byte);
    }
    const std::string text = platform::AnsiToUtf8(bytes);
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text); // valid UTF-8
    EXPECT_EQ(text.substr(0, 127), bytes.substr(0, 127));
    if (GetACP() != 1252) {
        GTEST_SKIP() << "Windows-1252 is not this system's ANSI code page";
    }
    EXPECT_EQ(platform::AnsiToUtf8("caf\xE9 \x80 \x99"), "café € ™");
}

TEST(WindowsPathsWindowsTest, NativePathsWithTheEnvironmentExpanded) {
    TTempDir dir;
    dir.Write("App/Приложение.exe", "");
    dir.Write("App/readme.txt", "");
    const TScopedEnv folder("BRIVANE_TEST_FOLDER", dir.Path().string().c_str());
    const platform::TWindowsPathResolver files;
    EXPECT_TRUE(files.FileExists("%BRIVANE_TEST_FOLDER%\\App\\Приложение.exe"));
    EXPECT_TRUE(files.FileExists("%brivane_test_folder%/app/приложение.EXE"));
    EXPECT_TRUE(files.FolderExists("%BRIVANE_TEST_FOLDER%\\App"));
    EXPECT_FALSE(files.FileExists("%BRIVANE_TEST_FOLDER%\\App"));
    EXPECT_FALSE(files.FileExists("%BRIVANE_TEST_FOLDER%\\Missing.exe"));
    EXPECT_FALSE(files.FileExists("App\\readme.txt")); // a relative path names no file
    EXPECT_FALSE(files.FileExists(""));
    EXPECT_EQ(files.ListFolder("%BRIVANE_TEST_FOLDER%\\App", "*.EXE"),
              std::vector<std::string>{"Приложение.exe"});
    EXPECT_EQ(files.ListFolder("%BRIVANE_TEST_FOLDER%\\App"),
              (std::vector<std::string>{"readme.txt", "Приложение.exe"}));
}

TEST(WindowsPathsWindowsTest, APrefixsCDriveIsItsDriveCFolder) {
    TTempDir prefix;
    prefix.Write("drive_c/Program Files/App/App.exe", "");
    prefix.Write("dosdevices/readme.txt", "");
    const platform::TWindowsPathResolver files(prefix.Path());
    EXPECT_TRUE(files.FileExists("C:\\program files\\app\\APP.exe"));
    EXPECT_TRUE(files.FolderExists("c:/Program Files"));
    EXPECT_FALSE(files.FileExists("D:\\Program Files\\App\\App.exe"));
    EXPECT_FALSE(files.FileExists("C:\\Program Files\\App\\D:App.exe"));
    EXPECT_FALSE(files.FileExists("C:\\..\\dosdevices\\readme.txt")); // never above the drive
}

TEST(SystemFactsWindowsTest, TheRunningSystemAnswersForItself) {
    const auto version = platform::ReadSystemVersion(*platform::windows::MakeLiveRegistry());
    EXPECT_TRUE(version.fKnown);
    EXPECT_FALSE(version.fVersionAssumed);
    EXPECT_FALSE(version.fArchitectureAssumed);
    EXPECT_GE(version.fMajor, 6u);
    EXPECT_GT(version.fBuild, 0u);
    EXPECT_NE(version.fProductType, 0);
    // A 64-bit program runs on a 64-bit machine.
    EXPECT_TRUE(version.fArchitecture == platform::kArchitectureAmd64 ||
                version.fArchitecture == platform::kArchitectureArm64);
}

TEST(SystemFactsWindowsTest, TheAssessmentIsAbsentOrAnswers) {
    // Wine has no assessment service: no query, and no crash.
    const auto query = platform::CreateAssessmentQuery();
    if (query) {
        try {
            const int state = query->AssessmentState();
            EXPECT_GE(state, 0);
        } catch (const std::runtime_error&) {
            // an assessment that cannot be read says so by throwing
        }
    }
    EXPECT_EQ(platform::CreateAssessmentQuery() != nullptr, query != nullptr);
}

TEST(ThreadsWindowsTest, PrioritiesOfThisThread) {
    const platform::TNativeThreadId self = platform::CurrentNativeThreadId();
    EXPECT_EQ(self, static_cast<platform::TNativeThreadId>(GetCurrentThreadId()));
    EXPECT_TRUE(platform::SetThreadPriority(self, platform::tpLower));
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_BELOW_NORMAL);
    EXPECT_TRUE(platform::SetThreadPriority(self, platform::tpNormal));
    EXPECT_FALSE(platform::SetThreadPriority(0, platform::tpNormal)); // no such thread
}

} // namespace
} // namespace brivane::test
