#include "support/language_environment.h"
#include "support/run_process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace brivane::test {
namespace {

// On Windows, without a registry file or prefix named, the computer's own registry is
// read: every fact is recorded there, the Windows version is the running system's, and
// the language is the user's interface language.
TEST(InventoryLiveTest, WithoutARegistryFileReadsThisComputer) {
    const auto result = RunCli({"inventory", "--json"}, {},
                               {{"BRIVANE_REGISTRY", std::nullopt}, {"WINEPREFIX", std::nullopt}});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Err, "");
    const auto json = nlohmann::ordered_json::parse(result.Out);
    EXPECT_EQ(json["system"]["Assumed"], nlohmann::ordered_json::array());
    EXPECT_TRUE(json["system"]["Name"].get<std::string>().starts_with("Windows ")) << json;
    EXPECT_EQ(json["system"]["SystemLanguage"], ChildSystemLanguage("ru"));
    EXPECT_EQ(json["isWindows64"], true); // the 64-bit build runs on 64-bit Windows only
    EXPECT_TRUE(json["applications"].is_array());
}

} // namespace
} // namespace brivane::test
