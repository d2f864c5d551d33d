#include "platform/executable_files.h"

#include "base/little_endian.h"
#include "pe/executable_icons.h"
#include "support/pe_samples.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;
using brivane::platform::DefaultApplicationIcon;
using brivane::platform::GetFileVersion;
using brivane::platform::LoadIconFromLocation;
using brivane::platform::TWindowsPathResolver;
namespace fs = std::filesystem;

namespace {

class ExecutableFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef _WIN32
        fs::create_directories(fRoot / "dosdevices");
        fs::create_symlink("../drive_c", fRoot / "dosdevices" / "c:");
#endif
        Write("App/App.exe", BuildPeFile(SampleProgram()).Bytes);

        TVersionBlockOptions zero;
        TVersionBlockOptions badKey = SampleVersion();
        badKey.TableKey = u"zzzzzzzz";
        TVersionBlockOptions noFixed = SampleVersion();
        noFixed.FixedFileInfo = false;
        Write("Zero.exe", WithVersion(zero));
        Write("BadKey.exe", WithVersion(badKey));
        Write("NoFixed.exe", WithVersion(noFixed));
        Write("Plain.exe", BuildPeFile({}).Bytes);
        Write("Text.exe", "not an executable");
        WriteIconFiles();
    }

    // The files are read through a Wine prefix's C: drive, or on Windows by their native
    // paths: both give the same answers.
    TWindowsPathResolver Files() const {
#ifdef _WIN32
        return TWindowsPathResolver();
#else
        return TWindowsPathResolver(fRoot.Path());
#endif
    }

    // "C:\App\App.exe" as Files() finds it.
    std::string Named(std::string_view aPath) const {
#ifdef _WIN32
        if (aPath.size() >= 2 && aPath[1] == ':') {
            return (fRoot / "drive_c").string() + std::string(aPath.substr(2));
        }
#endif
        return std::string(aPath);
    }

    void Write(const std::string& aName, const std::string& aBytes) {
        fRoot.Write("drive_c/" + aName, aBytes);
    }

    static std::string WithVersion(const TVersionBlockOptions& aVersion) {
        TPeFileOptions options;
        options.Resources = {
            {std::uint16_t{16}, std::uint16_t{1}, 0x0409, BuildVersionBlock(aVersion)}};
        return BuildPeFile(options).Bytes;
    }

    // A plain icon file holding one of the sample's groups, and a damaged copy.
    void WriteIconFiles() {
        fIcon = LoadIconFromLocation(Files(), Named("C:\\App\\App.exe,1"));
        Write("App/App.ico", fIcon);
        Write("App/Broken.ico", fIcon.substr(0, fIcon.size() - 1));
    }

    TTempDir fRoot;
    std::string fIcon;
};

std::size_t ImageCount(const std::string& aIcon) {
    return ReadWord(aIcon, 4);
}

} // namespace

TEST_F(ExecutableFilesTest, FileVersionOfInstalledExecutables) {
    const TWindowsPathResolver files = Files();
    struct TCase {
        const char* Path;
        const char* Version;
    };
    const TCase cases[] = {
        {"C:\\App\\App.exe", "9.8.7.6"},
        {"c:\\app\\APP.EXE", "9.8.7.6"},
        {"C:\\Zero.exe", "0.0.0.0"},   // fixed information of zeros is still a version
        {"C:\\BadKey.exe", "1.2.3.4"}, // a damaged string table does not hide it
        {"C:\\NoFixed.exe", ""},
        {"C:\\Plain.exe", ""},
        {"C:\\Text.exe", ""},
        {"C:\\Missing.exe", ""},
        {"C:\\App", ""},
        {"", ""},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(GetFileVersion(files, Named(c.Path)), c.Version) << c.Path;
    }
    EXPECT_EQ(GetFileVersion(TWindowsPathResolver(), "C:\\App\\App.exe"), "");
}

TEST_F(ExecutableFilesTest, IconsOfIconLocations) {
    const TWindowsPathResolver files = Files();
    ASSERT_TRUE(IsIconFile(fIcon));
    EXPECT_EQ(ImageCount(fIcon), 2u); // group 101
    const std::string first = LoadIconFromLocation(files, Named("C:\\App\\App.exe,0"));
    ASSERT_TRUE(IsIconFile(first));
    EXPECT_EQ(ImageCount(first), 1u); // the named group comes first
    struct TCase {
        const char* Location;
        std::string Expected;
    };
    const TCase cases[] = {
        {"", DefaultApplicationIcon()},
        {"C:\\App\\App.exe", first}, // the file's own icon
        {"c:\\app\\app.exe, 0", first},
        {"C:\\App\\App.exe,1", fIcon},
        {"C:\\App\\App.exe,-101", fIcon},
        {"C:\\App\\App.exe,1-1", first}, // not a number: index 0
        {"C:\\App\\App.exe,7", ""},
        {"C:\\App\\App.exe,-7", ""},
        {"C:\\App\\App.ico", fIcon}, // an icon file as it is
        {"C:\\App\\App.ico,0", fIcon},
        {"C:\\App\\App.ico,1", ""},
        {"C:\\App\\Broken.ico", ""},
        {"C:\\Plain.exe", DefaultApplicationIcon()}, // a program without an icon
        {"C:\\Plain.exe,0", ""},
        {"C:\\Text.exe", DefaultApplicationIcon()},
        {"C:\\Missing.exe", ""},
        {"C:\\Missing.ico", ""},
        {",1", ""},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(LoadIconFromLocation(files, Named(c.Location)), c.Expected) << c.Location;
    }
    EXPECT_EQ(LoadIconFromLocation(TWindowsPathResolver(), "C:\\App\\App.exe,1"), "");
}

TEST(DefaultIconTest, IsAThirtyTwoPixelIconFile) {
    const std::string& icon = DefaultApplicationIcon();
    ASSERT_TRUE(IsIconFile(icon));
    EXPECT_EQ(ImageCount(icon), 1u);
    EXPECT_EQ(static_cast<unsigned char>(icon[6]), 32);
    EXPECT_EQ(ReadWord(icon, 12), 32);       // bits per pixel
    EXPECT_EQ(ReadDWord(icon, 22 + 4), 32u); // the bitmap's width
    EXPECT_EQ(icon.size(), 22u + 40 + 32 * 32 * 4 + 32 * 4);
}
