#include "platform/registry_source.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace brivane::test {
namespace {

using platform::GetRegistrySource;
using platform::TRegistrySourceKind;

// Each case starts from no override and none of the variables set.
class RegistrySourceTest : public ::testing::Test {
protected:
    ~RegistrySourceTest() override { platform::SetRegistryPathOverride({}); }

    TTempDir fDir;
    TScopedEnv fRegistry{"BRIVANE_REGISTRY", nullptr};
    TScopedEnv fPrefix{"WINEPREFIX", nullptr};
    TScopedEnv fHome{"HOME", fDir.Path().c_str()};
};

TEST_F(RegistrySourceTest, ChoosesTheFirstSourceGivenInOrder) {
    const auto prefix = fDir / "prefix";
    std::filesystem::create_directories(prefix);
    const auto file = fDir.Write("export.reg", "REGEDIT4\r\n");

    EXPECT_EQ(GetRegistrySource().fKind, TRegistrySourceKind::None);
    EXPECT_EQ(platform::GetWinePrefixFolder(), std::nullopt);

    std::filesystem::create_directories(fDir / ".wine");
    EXPECT_EQ(GetRegistrySource().fPath, fDir / ".wine");
    EXPECT_EQ(GetRegistrySource().fOrigin, "~/.wine");

    TScopedEnv wine("WINEPREFIX", "/nowhere/prefix"); // a prefix even when missing
    EXPECT_EQ(GetRegistrySource().fKind, TRegistrySourceKind::WinePrefix);
    EXPECT_EQ(platform::GetWinePrefixFolder(), std::filesystem::path("/nowhere/prefix"));

    TScopedEnv registry("BRIVANE_REGISTRY", file.c_str());
    EXPECT_EQ(GetRegistrySource().fKind, TRegistrySourceKind::ExportFile);
    EXPECT_EQ(GetRegistrySource().fPath, file);
    EXPECT_EQ(platform::GetWinePrefixFolder(), std::nullopt);

    platform::SetRegistryPathOverride(prefix);
    EXPECT_EQ(GetRegistrySource().fKind, TRegistrySourceKind::WinePrefix);
    EXPECT_EQ(GetRegistrySource().fOrigin, "--registry");
    EXPECT_EQ(platform::GetWinePrefixFolder(), prefix);

    // A path that is not a folder is read as an export file.
    platform::SetRegistryPathOverride(fDir / "missing");
    EXPECT_EQ(GetRegistrySource().fKind, TRegistrySourceKind::ExportFile);
}

} // namespace
} // namespace brivane::test
