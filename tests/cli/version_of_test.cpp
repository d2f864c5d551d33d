#include "support/pe_samples.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace brivane;
using namespace brivane::test;

namespace {

std::size_t Lines(const std::string& aText) {
    return std::count(aText.begin(), aText.end(), '\n');
}

} // namespace

TEST(VersionOfTest, PrintsTheVersionRecordOfALocalExecutable) {
    TTempDir dir;
    const auto file = dir.Write("setup.exe", BuildPeFile(SampleProgram(true)).Bytes);
    const auto json = RunCli({"version-of", file.string(), "--json"});
    ASSERT_EQ(json.ExitCode, 0) << json.Err;
    const auto value = nlohmann::ordered_json::parse(json.Out);
    EXPECT_EQ(value["FileVersionText"], "9.8.7.6");
    EXPECT_EQ(value["ProductVersionText"], "5.6 Final");
    EXPECT_EQ(value["LanguageID"], 0x0419);
    EXPECT_EQ(value["CodePage"], 1251);
    EXPECT_EQ(value["StringFileInfo"].size(), 11u);
    EXPECT_EQ(value["StringFileInfo"]["CompanyName"], "Sample Software");
    EXPECT_EQ(value["StringFileInfo"]["BuildTime"], "");
    EXPECT_EQ(value["Requests"], 0);
    EXPECT_EQ(value["Bytes"], 0);

    const auto table = RunCli({"version-of", file.string()});
    ASSERT_EQ(table.ExitCode, 0) << table.Err;
    EXPECT_NE(table.Out.find("FileVersionText     9.8.7.6"), std::string::npos) << table.Out;
    EXPECT_NE(table.Out.find("LanguageID          0x0419"), std::string::npos) << table.Out;
}

TEST(VersionOfTest, FilesWithoutAVersionFailAndBadInputIsExitCodeTwo) {
    TTempDir dir;
    TVersionBlockOptions badKey = SampleVersion();
    badKey.TableKey = u"0409x4b0";
    TPeFileOptions damaged;
    damaged.Resources = {{std::uint16_t{16}, std::uint16_t{1}, 0x0409, BuildVersionBlock(badKey)}};
    TPeFileOptions noVersion;
    noVersion.Resources = {{std::uint16_t{3}, std::uint16_t{1}, 0x0409, std::string(40, 'i')}};
    const struct {
        std::vector<std::string> Args;
        int ExitCode;
        std::string Message; // after "brivane-cli: <file>: "
    } cases[] = {
        {{dir.Write("readme.txt", "not an executable").string()}, 1, "not a Windows executable"},
        {{dir.Write("empty.exe", "").string()}, 1, "not a Windows executable"},
        {{dir.Write("plain.exe", BuildPeFile(noVersion).Bytes).string()},
         1,
         "has no version information"},
        {{dir.Write("bad.exe", BuildPeFile(damaged).Bytes).string()}, 1, ""},
        {{(dir / "missing.exe").string()}, 2, "no such file"},
        {{dir.Path().string()}, 2, "not a regular file"},
        {{}, 2, ""},
    };
    for (const auto& test : cases) {
        std::vector<std::string> args{"version-of"};
        args.insert(args.end(), test.Args.begin(), test.Args.end());
        const auto result = RunCli(args);
        SCOPED_TRACE(args.back());
        EXPECT_EQ(result.ExitCode, test.ExitCode);
        EXPECT_EQ(result.Out, "");
        EXPECT_EQ(Lines(result.Err), 1u) << result.Err;
        if (!test.Message.empty()) {
            EXPECT_EQ(result.Err, "brivane-cli: " + test.Args.front() + ": " + test.Message + "\n");
        }
    }
}
