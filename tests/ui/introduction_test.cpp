// The introduction plays the film the build made of the window's screens, and a film
// that cannot play gives way to the frames.

#include "support/temp_dir.h"
#include "ui/introduction.h"
#include "window_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace brivane::test {
namespace {

TEST(IntroductionTest, TheBuildsFilmPlays) {
    const std::filesystem::path help = BRIVANE_HELP_DIR;
    ASSERT_TRUE(std::filesystem::is_regular_file(help / "ru" / "Help.webm"));
    ui::TIntroduction introduction;
    introduction.resize(400, 300);
    introduction.show();
    ASSERT_TRUE(introduction.Play(help, lRussian));
    EXPECT_TRUE(RunEventLoopUntil([&] { return introduction.FilmPlaying(); }));
    EXPECT_FALSE(introduction.Slideshow());
    introduction.Stop();
    EXPECT_FALSE(introduction.FilmPlaying());
}

TEST(IntroductionTest, AFilmThatCannotPlayGivesWayToItsFrames) {
    TTempDir help;
    std::filesystem::create_directories(help.Path() / "en");
    std::filesystem::copy_file(BRIVANE_HELP_DIR "/en/1-updates.png",
                               help.Path() / "en" / "1-updates.png");
    help.Write("en/Help.webm", "no film at all, only text where the film should be");
    ui::TIntroduction introduction;
    introduction.show();
    ASSERT_TRUE(introduction.Play(help.Path(), lEnglish));
    EXPECT_TRUE(RunEventLoopUntil([&] { return introduction.Slideshow(); }));
    EXPECT_EQ(introduction.Frame(), 0);
    EXPECT_FALSE(introduction.FilmPlaying());
}

} // namespace
} // namespace brivane::test
