#include "app/settings.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace brivane;

// The settings file keeps its own mode through writes and refused writes: a private file
// is not made readable by others, a read-only one not made writable.
TEST(SettingsPermissionsTest, TheFileKeepsItsMode) {
    using std::filesystem::perms;
    const struct {
        perms Mode;
        bool Written;
    } cases[] = {
        {perms::owner_read | perms::group_read, false},
        {perms::owner_read | perms::owner_write, true},
        {perms::owner_read | perms::owner_write | perms::group_read | perms::others_read, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Mode));
        const test::TTempDir dir;
        const auto file = dir.Write("Config.dat", R"({"AllowBeta":true})");
        std::filesystem::permissions(file, c.Mode);
        TConfig config(file);
        EXPECT_EQ(config.SetBoolean(kFirstRun, true), c.Written);
        EXPECT_EQ(test::ReadAll(file),
                  c.Written ? R"({"AllowBeta":true,"FirstRun":true})" : R"({"AllowBeta":true})");
        EXPECT_EQ(std::filesystem::status(file).permissions(), c.Mode);
    }
}
