#include "support/pe_samples.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

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

TEST(VersionOfTest, FilesWithoutAVersionAndBadInput) {
    TTempDir dir;
    const auto text = dir.Write("readme.txt", "not an executable");
    const auto plain = RunCli({"version-of", text.string(), "--json"});
    ASSERT_EQ(plain.ExitCode, 0) << plain.Err;
    EXPECT_EQ(nlohmann::ordered_json::parse(plain.Out)["FileVersionText"], "");

    TVersionBlockOptions badKey = SampleVersion();
    badKey.TableKey = u"0409x4b0";
    TPeFileOptions options;
    options.Resources = {{std::uint16_t{16}, std::uint16_t{1}, 0x0409, BuildVersionBlock(badKey)}};
    const auto damaged =
        RunCli({"version-of", dir.Write("bad.exe", BuildPeFile(options).Bytes).string()});
    EXPECT_EQ(damaged.ExitCode, 1);
    EXPECT_EQ(Lines(damaged.Err), 1u) << damaged.Err;

    for (const auto& args : {std::vector<std::string>{"version-of", (dir / "missing.exe").string()},
                             std::vector<std::string>{"version-of", dir.Path().string()},
                             std::vector<std::string>{"version-of"}}) {
        const auto result = RunCli(args);
        EXPECT_EQ(result.ExitCode, 2);
        EXPECT_EQ(result.Out, "");
        EXPECT_EQ(Lines(result.Err), 1u) << result.Err;
    }
}
