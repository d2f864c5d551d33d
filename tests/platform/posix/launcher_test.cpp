#include "platform/launcher.h"
#include "platform/registry_source.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace brivane::test {
namespace {

using namespace std::chrono_literals;
using platform::kWaitForever;
using platform::StartProgram;

class LauncherTest : public ::testing::Test {
protected:
    ~LauncherTest() override { platform::SetRegistryPathOverride({}); }

    // An executable shell script in the test's folder.
    std::filesystem::path Script(std::string_view aName, std::string_view aBody) {
        const auto path = fDir.Write(aName, std::string("#!/bin/sh\n") + std::string(aBody));
        chmod(path.c_str(), 0755);
        return path;
    }

    // Runs aFile to its end and returns what the recording programs wrote.
    std::string RunToEnd(const std::filesystem::path& aFile,
                         const std::vector<std::string>& aParameters = {}) {
        const auto started = StartProgram(aFile, aParameters);
        EXPECT_EQ(started.Error, "");
        if (!started.Process) {
            return {};
        }
        EXPECT_TRUE(started.Process->Wait(kWaitForever));
        return ReadAll(fDir / "record.txt");
    }

    TTempDir fDir;
    TScopedEnv fLauncher{"BRIVANE_LAUNCHER", nullptr};
    TScopedEnv fRegistry{"BRIVANE_REGISTRY", nullptr};
    TScopedEnv fPrefix{"WINEPREFIX", nullptr};
    TScopedEnv fHome{"HOME", fDir.Path().c_str()};
};

TEST_F(LauncherTest, TheLauncherVariableRunsTheFileWithItsParametersAndExitCode) {
    TScopedEnv launcher("BRIVANE_LAUNCHER", "/bin/sh -e");
    const auto installer =
        fDir.Write("setup.exe", "echo \"$0|$1|$2\" > \"$(dirname \"$0\")/record.txt\"\n"
                                "exit 3\n");
    const auto started = StartProgram(installer, {"/silent", "two words"});
    ASSERT_TRUE(started.Process) << started.Error;
    EXPECT_TRUE(started.Process->Wait(kWaitForever));
    EXPECT_TRUE(started.Process->Wait(0ms)); // again, after the end
    EXPECT_EQ(started.Process->ExitCode(), 3);
    EXPECT_EQ(ReadAll(fDir / "record.txt"), installer.string() + "|/silent|two words\n");
}

TEST_F(LauncherTest, WaitWithATimeOutReturnsWhileTheProgramRuns) {
    TScopedEnv launcher("BRIVANE_LAUNCHER", "/bin/sh");
    const auto go = fDir / "go";
    const auto installer = fDir.Write("setup.exe", "while [ ! -e \"" + go.string() +
                                                       "\" ]; do sleep 0.01; done\nexit 0\n");
    const auto started = StartProgram(installer);
    ASSERT_TRUE(started.Process) << started.Error;
    EXPECT_FALSE(started.Process->Wait(0ms));
    EXPECT_FALSE(started.Process->Wait(20ms));
    EXPECT_EQ(started.Process->ExitCode(), -1);
    fDir.Write("go", "");
    EXPECT_TRUE(started.Process->Wait(kWaitForever));
    EXPECT_EQ(started.Process->ExitCode(), 0);
}

TEST_F(LauncherTest, FailuresToStartAreReportedWithTheirReason) {
    auto started = StartProgram(fDir / "missing.exe");
    EXPECT_FALSE(started.Process);
    EXPECT_NE(started.Error.find("missing.exe"), std::string::npos) << started.Error;

    started = StartProgram(fDir.Path()); // a folder is no program
    EXPECT_FALSE(started.Process);

    TScopedEnv launcher("BRIVANE_LAUNCHER", "/no/such/launcher");
    started = StartProgram(fDir.Write("setup.exe", ""));
    EXPECT_FALSE(started.Process);
    EXPECT_NE(started.Error.find("/no/such/launcher"), std::string::npos) << started.Error;
}

// Without the variable, the file's kind picks the program; stand-ins for wine and
// xdg-open on PATH record how they were called.
TEST_F(LauncherTest, TheFileKindChoosesWineOrTheDesktop) {
    const auto bin = fDir / "bin";
    std::filesystem::create_directories(bin);
    const std::string record =
        "echo \"${0##*/} $*\" > \"" + (fDir / "record.txt").string() + "\"\n";
    Script("bin/xdg-open", record);
    TScopedEnv path("PATH", bin.c_str()); // only the stand-ins, whatever this machine has

    const auto exe = fDir.Write("Setup.EXE", "");
    const auto msi = fDir.Write("setup.msi", "");
    const auto zip = fDir.Write("setup.zip", "");
    EXPECT_EQ(RunToEnd(exe, {"/S"}), "xdg-open " + exe.string() + "\n"); // no Wine here

    Script("bin/wine", record);
    EXPECT_EQ(RunToEnd(exe, {"/S"}), "wine " + exe.string() + " /S\n");
    EXPECT_EQ(RunToEnd(msi), "wine msiexec /i " + msi.string() + "\n");
    EXPECT_EQ(RunToEnd(zip, {"/S"}), "xdg-open " + zip.string() + "\n");
}

TEST_F(LauncherTest, TheProgramSeesTheRegistrySource) {
    TScopedEnv launcher("BRIVANE_LAUNCHER", "/bin/sh");
    const auto installer =
        fDir.Write("setup.exe", "echo \"${WINEPREFIX:-none} ${BRIVANE_REGISTRY:-none}\" > \"" +
                                    (fDir / "record.txt").string() + "\"\n");

    EXPECT_EQ(RunToEnd(installer), "none none\n");

    const auto file = fDir.Write("machine.reg", "REGEDIT4\r\n");
    platform::SetRegistryPathOverride(file);
    EXPECT_EQ(RunToEnd(installer), "none " + file.string() + "\n");

    const auto prefix = fDir / "prefix";
    std::filesystem::create_directories(prefix);
    platform::SetRegistryPathOverride(prefix);
    EXPECT_EQ(RunToEnd(installer), prefix.string() + " " + prefix.string() + "\n");
}

} // namespace
} // namespace brivane::test
