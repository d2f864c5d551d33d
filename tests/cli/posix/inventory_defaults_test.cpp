#include "support/run_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace brivane::test {
namespace {

// Away from Windows, a machine without any registry source is assumed to be a fresh
// 64-bit Windows 10 with nothing installed, and says so.
TEST(InventoryDefaultsTest, WithoutAnyRegistryShowsWindows10AndNothingInstalled) {
    TTempDir home;
    const auto result = RunCli({"inventory", "--json"}, {},
                               {{"HOME", home.Path().string()},
                                {"BRIVANE_REGISTRY", std::nullopt},
                                {"WINEPREFIX", std::nullopt},
                                {"APPDATA", std::nullopt}});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Err, "");
    const auto json = nlohmann::ordered_json::parse(result.Out);
    EXPECT_EQ(json["system"]["Name"], "Windows 10");
    EXPECT_EQ(json["system"]["Version"], "10.0.19045");
    EXPECT_EQ(json["system"]["Assumed"].size(), 6u); // every fact, the language this machine's
    EXPECT_EQ(json["applications"].size(), 0u);
}

} // namespace
} // namespace brivane::test
