#include "install/file_name.h"

#include <gtest/gtest.h>

#include <string>

namespace brivane::install {
namespace {

struct TNameCase {
    const char* Given;
    const char* Expected;
};

TEST(FileNameTest, APlainFileNameIsLeftOfWhatServersSend) {
    const TNameCase cases[] = {
        {"setup.exe", "setup.exe"},
        {"7z1602-x64.exe", "7z1602-x64.exe"},
        {"Установка.exe", "Установка.exe"},
        {"../../x.exe", "x.exe"},
        {"..\\..\\x.exe", "x.exe"},
        {"C:\\Windows\\x.exe", "x.exe"},
        {"\\\\server\\share\\x.exe", "x.exe"},
        {"C:x.exe", "C_x.exe"},
        {"/etc/passwd", "passwd"},
        {"folder/", ""},
        {"..", ""},
        {"...", ""},
        {" . ", ""},
        {"", ""},
        {".bashrc", "bashrc"},
        {"setup.exe. . ", "setup.exe"},
        {"a\tb\x01\x7f"
         "c.exe",
         "abc.exe"},
        {"line\r\nbreak.exe", "linebreak.exe"},
        {"a<b>c:d\"e|f?g*h.exe", "a_b_c_d_e_f_g_h.exe"},
        {"bad\xff\xfe utf8.exe", "bad utf8.exe"},
        {"con.exe", "_con.exe"},
        {"CON", "_CON"},
        {"nul.tar.gz", "_nul.tar.gz"},
        {"Com1.msi", "_Com1.msi"},
        {"lpt9", "_lpt9"},
        {"com\u00B9.exe", "_com\u00B9.exe"},
        {"aux .exe", "_aux .exe"},
        {"console.exe", "console.exe"},
        {"com10.exe", "com10.exe"},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(PlainFileName(test.Given), test.Expected) << test.Given;
    }
}

TEST(FileNameTest, LongNamesAreCutOnACharacterKeepingTheExtension) {
    const std::string ascii = PlainFileName(std::string(1000, 'a') + ".exe");
    EXPECT_EQ(ascii.size(), kMaxFileNameBytes);
    EXPECT_TRUE(ascii.ends_with("aaa.exe")) << ascii;

    // Two-byte letters: the cut may not split one.
    std::string cyrillic;
    for (int i = 0; i < 300; ++i) {
        cyrillic += "ж";
    }
    const std::string cut = PlainFileName(cyrillic + ".msi");
    EXPECT_LE(cut.size(), kMaxFileNameBytes);
    EXPECT_EQ(cut.size(), 4 + 2 * ((kMaxFileNameBytes - 4) / 2));
    EXPECT_TRUE(cut.ends_with("жж.msi")) << cut;

    // A long "extension" is no extension: the name is simply cut.
    const std::string noExtension = PlainFileName("a." + std::string(400, 'b'));
    EXPECT_EQ(noExtension, "a." + std::string(kMaxFileNameBytes - 2, 'b'));

    // What the cut leaves at the end is trimmed like any name.
    const std::string dotted = PlainFileName(std::string(250, 'a') + std::string(10, '.') + "x" +
                                             std::string(300, ' ') + ".exe");
    EXPECT_EQ(dotted, std::string(250, 'a') + ".exe");
}

TEST(FileNameTest, ContentDispositionNamesEveryForm) {
    const TNameCase cases[] = {
        {"attachment; filename=\"setup 1.2.exe\"", "setup 1.2.exe"},
        {"attachment; filename=setup.exe", "setup.exe"},
        {"attachment;filename=setup.exe;size=10", "setup.exe"},
        {"ATTACHMENT; FILENAME = \"a.exe\" ; creation-date=x", "a.exe"},
        {"attachment; filename=\"say \\\"hi\\\".exe\"", "say \"hi\".exe"},
        {"attachment; filename=\"C:\\Windows\\x.exe\"", "C:\\Windows\\x.exe"},
        {"attachment; filename*=UTF-8''%D0%A3%D1%81%D1%82.exe", "Уст.exe"},
        {"attachment; filename=\"fallback.exe\"; filename*=utf-8''real%20name.exe",
         "real name.exe"},
        {"attachment; filename*=iso-8859-1'en'caf%E9.exe", "café.exe"},
        {"attachment; filename*=koi8-r''x.exe; filename=plain.exe", "plain.exe"},
        {"attachment; filename*=broken; filename=plain.exe", "plain.exe"},
        {"attachment", ""},
        {"inline; name=x.exe", ""},
        {"attachment; filename=\"unterminated.exe", "unterminated.exe"},
        {"attachment; ;; filename=", ""},
        {"", ""},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(ContentDispositionFileName(test.Given), test.Expected) << test.Given;
    }
}

TEST(FileNameTest, AddressNamesTheLastSegment) {
    const TNameCase cases[] = {
        {"https://example.org/a/setup.exe", "setup.exe"},
        {"https://example.org/a/my%20setup.exe?x=1#top", "my setup.exe"},
        {"https://example.org/a/c++.exe", "c++.exe"},
        {"https://example.org/a/%2e%2e%2F%2e%2e%2Fx.exe", "../../x.exe"},
        {"https://example.org/download/", ""},
        {"https://example.org", ""},
        {"https://example.org?file=/x.exe", ""},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(AddressFileName(test.Given), test.Expected) << test.Given;
    }
    EXPECT_EQ(AddressExtension("https://example.org/a/setup.MSI?x"), ".MSI");
    EXPECT_EQ(AddressExtension("https://example.org/a/setup"), "");
    EXPECT_EQ(AddressExtension("https://example.org/a/x." + std::string(40, 'e')), "");
}

TEST(FileNameTest, DownloadFileNameFallsBackStepByStep) {
    EXPECT_EQ(DownloadFileName("attachment; filename=\"../../x.exe\"",
                               "https://example.org/a/setup.exe", "Prog"),
              "x.exe");
    EXPECT_EQ(
        DownloadFileName("attachment; filename=\"..\"", "https://example.org/a/setup.exe", "Prog"),
        "setup.exe");
    EXPECT_EQ(DownloadFileName("", "https://example.org/a/%2e%2e%2fx.exe", "Prog"), "x.exe");
    EXPECT_EQ(DownloadFileName("", "https://example.org/get/...", "Prog"), "Prog");
    EXPECT_EQ(DownloadFileName("", "https://example.org/dl/", "7-Zip: x64"), "7-Zip_ x64");
    EXPECT_EQ(DownloadFileName("attachment; filename=\"con\"", "https://example.org/", "P"),
              "_con");
    EXPECT_EQ(DownloadFileName("", "https://example.org/", "..."), "Download");
}

} // namespace
} // namespace brivane::install
