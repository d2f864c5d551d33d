// The introduction plays the film the build made of the window's screens, and a film
// that cannot play gives way to the frames.

#include "support/temp_dir.h"
#include "ui/introduction.h"
#include "window_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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
    const std::filesystem::path film = BRIVANE_HELP_DIR "/en/Help.webm";
    std::filesystem::create_directories(help.Path() / "en");
    std::filesystem::copy_file(BRIVANE_HELP_DIR "/en/1-updates.png",
                               help.Path() / "en" / "1-updates.png");
    // The film's first kilobyte: a header promising frames that never come.
    std::string bytes(1024, '\0');
    {
        std::ifstream in(film, std::ios::binary);
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    help.Write("en/Help.webm", bytes);
    ui::TIntroduction introduction;
    introduction.show();
    ASSERT_TRUE(introduction.Play(help.Path(), lEnglish));
    EXPECT_TRUE(RunEventLoopUntil([&] { return introduction.Slideshow(); }));
    EXPECT_EQ(introduction.Frame(), 0);
}

} // namespace
} // namespace brivane::test
