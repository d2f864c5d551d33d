#include "net/content_stream.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace brivane;

// Whatever was at the path before, the file holds exactly what was written.
TEST(FileContentTest, FileHoldsExactlyWhatWasWritten) {
    struct TCase {
        const char* Name;
        const char* Before; // nullptr: no file yet
    };
    for (const TCase& c : {TCase{"missing", nullptr}, TCase{"reserved empty", ""},
                           TCase{"longer before", "an older and much longer download"}}) {
        SCOPED_TRACE(c.Name);
        const test::TTempDir folder;
        const auto path = folder / "Dow1A2B.tmp";
        if (c.Before != nullptr) {
            folder.Write("Dow1A2B.tmp", c.Before);
        }
        net::TFileContent file(path);
        file.Write("new ");
        file.Write("bytes");
        file.Close();
        EXPECT_EQ(file.Size(), 9);
        EXPECT_EQ(test::ReadAll(path), "new bytes");
    }
}

TEST(FileContentTest, ClearStartsTheFileAgain) {
    const test::TTempDir folder;
    const auto path = folder.Write("setup.exe", "");
    net::TFileContent file(path);
    file.Write("a first attempt that broke off");
    file.Clear();
    file.Write("whole");
    file.Close();
    EXPECT_EQ(test::ReadAll(path), "whole");
    EXPECT_THROW(file.Write("late"), std::logic_error);
}

TEST(FileContentTest, UncreatableFileThrowsNamingIt) {
    const test::TTempDir folder;
    try {
        net::TFileContent file(folder / "no such folder" / "setup.exe");
        FAIL() << "created";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("setup.exe"), std::string::npos) << e.what();
    }
}
