#include "support/run_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace brivane::test {
namespace {

// A FIFO or a device where a file is read is bad input: neither waited on nor read for
// ever.
TEST(FifoAndDeviceTest, AreBadInputWhereverAFileIsRead) {
    TTempDir home;
    const auto fifo = home / "fifo.exe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::map<std::string, std::optional<std::string>> env = {
        {"HOME", home.Path().string()},
        {"BRIVANE_REGISTRY", std::nullopt},
        {"WINEPREFIX", std::nullopt},
        {"APPDATA", std::nullopt}};
    const struct {
        std::vector<std::string> Args;
        std::string Err;
    } cases[] = {
        {{"version-of", fifo.string()}, fifo.string() + ": not a regular file"},
        {{"version-of", "/dev/zero"}, "/dev/zero: not a regular file"},
        {{"inventory", "--registry", fifo.string()},
         "Not a registry file or Wine prefix folder: " + fifo.string()},
        {{"check", "--registry", fifo.string()},
         "Not a registry file or Wine prefix folder: " + fifo.string()},
        {{"inventory", "--registry", "/dev/null"},
         "Not a registry file or Wine prefix folder: /dev/null"},
        {{"check", "--registry", "/dev/null"},
         "Not a registry file or Wine prefix folder: /dev/null"},
    };
    for (const auto& test : cases) {
        const auto result = RunCli(test.Args, {}, env);
        SCOPED_TRACE(test.Args.front() + " " + test.Args.back());
        EXPECT_EQ(result.ExitCode, 2);
        EXPECT_EQ(result.Out, "");
        EXPECT_EQ(result.Err, "brivane-cli: " + test.Err + "\n");
    }
}

} // namespace
} // namespace brivane::test
