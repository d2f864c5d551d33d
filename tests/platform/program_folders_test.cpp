#include "platform/folders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace brivane;

TEST(ProgramFoldersTest, DataFoldersFollowTheEnvironment) {
    test::TTempDir dir;
    const test::TScopedEnv xdg("XDG_DATA_HOME", dir.Path().string().c_str());
    {
        const test::TScopedEnv appData("APPDATA", nullptr);
        EXPECT_EQ(platform::GetAppDataFolder(), dir.Path() / "Brivane" / "");
        EXPECT_EQ(platform::GetDownloadsFolder(), dir.Path() / "Brivane" / "Downloads" / "");
    }
    const test::TScopedEnv appData("APPDATA", "/elsewhere");
    EXPECT_EQ(platform::GetAppDataFolder(), dir.Path() / "Brivane" / "");
    EXPECT_EQ(platform::GetDownloadsFolder(),
              std::filesystem::path("/elsewhere/Brivane/Downloads/"));
}
