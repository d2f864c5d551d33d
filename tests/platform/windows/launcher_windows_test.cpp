#include "platform/launcher.h"
#include "platform/registry_source.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace brivane::test {
namespace {

using platform::kWaitForever;
using platform::SetLauncherOverride;
using platform::StartProgram;
namespace fs = std::filesystem;

// Words with blanks, quotes, backslashes and non-ASCII letters, which the command line
// must carry unchanged.
const std::vector<std::string> kWords = {"two words",   "quote\"d",  "back\\slash\\",
                                         "trailing \\", "Привет ёж", "plain"};

// A path as UTF-8 text, as the launcher reports it.
std::string Text(const fs::path& aPath) {
    const std::u8string text = aPath.u8string();
    return {text.begin(), text.end()};
}

class LauncherWindowsTest : public ::testing::Test {
protected:
    void SetUp() override { platform::SetRegistryPathOverride({}); }
    void TearDown() override {
        SetLauncherOverride({});
        platform::SetRegistryPathOverride({});
    }

    // The program the tests start, by its native path.
    static fs::path Program() { return fs::absolute(BRIVANE_LAUNCHED_PROGRAM).make_preferred(); }

    // What the program recorded: its BRIVANE_REGISTRY, then its words.
    std::vector<std::string> Recorded() const {
        std::vector<std::string> lines;
        std::string text = ReadAll(fRecord);
        for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
             start = end + 1) {
            lines.push_back(text.substr(start, end - start));
        }
        return lines;
    }

    TTempDir fDir;
    const fs::path fRecord = fDir / "record.txt";
};

TEST_F(LauncherWindowsTest, TheShellStartsAProgramNamedWithBlanksAndNonAsciiLetters) {
    const fs::path copy = fDir.Path() / u8"my prog ёж.exe";
    fs::copy_file(Program(), copy);
    std::vector<std::string> parameters = {Text(fRecord), "3"};
    parameters.insert(parameters.end(), kWords.begin(), kWords.end());
    const auto started = StartProgram(copy, parameters);
    ASSERT_TRUE(started.Process) << started.Error;
    ASSERT_TRUE(started.Process->Wait(kWaitForever));
    EXPECT_EQ(started.Process->ExitCode(), 3);
    std::vector<std::string> expected = {"BRIVANE_REGISTRY="};
    expected.insert(expected.end(), parameters.begin(), parameters.end());
    EXPECT_EQ(Recorded(), expected);
}

TEST_F(LauncherWindowsTest, TheOverrideRunsItsWordsTheFileAndTheParameters) {
    const fs::path file = fDir.Write("setup ёж.msi", "not run itself");
    SetLauncherOverride({Text(Program()), Text(fRecord), "7"});
    const auto started = StartProgram(file, kWords);
    ASSERT_TRUE(started.Process) << started.Error;
    ASSERT_TRUE(started.Process->Wait(kWaitForever));
    EXPECT_EQ(started.Process->ExitCode(), 7);
    EXPECT_TRUE(started.Process->Wait(std::chrono::milliseconds::zero())); // asked again
    std::vector<std::string> expected = {"BRIVANE_REGISTRY=", Text(fRecord), "7", Text(file)};
    expected.insert(expected.end(), kWords.begin(), kWords.end());
    EXPECT_EQ(Recorded(), expected);
}

TEST_F(LauncherWindowsTest, TheLauncherVariableAndTheRegistrySourceReachTheProgram) {
    const fs::path file = fDir.Write("setup.exe", "");
    const fs::path exported = fDir.Write("machine.reg", "REGEDIT4\r\n");
    platform::SetRegistryPathOverride(exported);
    const TScopedEnv launcher("BRIVANE_LAUNCHER",
                              (Text(Program()) + " " + Text(fRecord) + " 0").c_str());
    const auto started = StartProgram(file);
    ASSERT_TRUE(started.Process) << started.Error;
    ASSERT_TRUE(started.Process->Wait(kWaitForever));
    EXPECT_EQ(started.Process->ExitCode(), 0);
    const std::vector<std::string> expected = {"BRIVANE_REGISTRY=" + Text(exported), Text(fRecord),
                                               "0", Text(file)};
    EXPECT_EQ(Recorded(), expected);
}

TEST_F(LauncherWindowsTest, WaitWithATimeOutReturnsWhileTheProgramRuns) {
    const std::wstring name = L"BrivaneLauncherTest" + std::to_wstring(GetCurrentProcessId());
    const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, name.c_str());
    ASSERT_NE(event, nullptr);
    std::string eventName(name.begin(), name.end());
    const TScopedEnv waitFor("BRIVANE_TEST_EVENT", eventName.c_str());
    SetLauncherOverride({Text(Program()), Text(fRecord), "5"});
    const auto started = StartProgram(fDir.Write("file", ""));
    ASSERT_TRUE(started.Process) << started.Error;
    EXPECT_FALSE(started.Process->Wait(std::chrono::milliseconds::zero()));
    EXPECT_FALSE(started.Process->Wait(std::chrono::milliseconds(20)));
    EXPECT_EQ(started.Process->ExitCode(), -1);
    SetEvent(event);
    EXPECT_TRUE(started.Process->Wait(kWaitForever));
    EXPECT_EQ(started.Process->ExitCode(), 5);
    CloseHandle(event);
}

TEST_F(LauncherWindowsTest, FailuresToStartAreReportedWithTheirReason) {
    const auto missing = StartProgram(fDir / "missing.exe");
    EXPECT_FALSE(missing.Process);
    EXPECT_EQ(missing.Error, "no such file: " + Text(fDir / "missing.exe"));

    SetLauncherOverride({Text(fDir / "no launcher.exe")});
    const auto noLauncher = StartProgram(fDir.Write("file.exe", ""));
    EXPECT_FALSE(noLauncher.Process);
    EXPECT_TRUE(
        noLauncher.Error.starts_with("cannot start " + Text(fDir / "no launcher.exe") + ": "))
        << noLauncher.Error;

    SetLauncherOverride({});
    const auto notAProgram = StartProgram(fDir.Write("broken.exe", "not a program"));
    EXPECT_FALSE(notAProgram.Process);
    EXPECT_TRUE(notAProgram.Error.starts_with("cannot start ")) << notAProgram.Error;
}

} // namespace
} // namespace brivane::test
