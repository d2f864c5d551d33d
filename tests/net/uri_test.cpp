#include "net/net_errors.h"
#include "net/uri.h"

#include <gtest/gtest.h>

using namespace brivane::net;

TEST(UriTest, ParsesPartsWithEffectivePort) {
    const auto uri = TURI::Parse("HTTPS://Www.Example.COM/Path/File.exe?x=1&y=2#top");
    EXPECT_EQ(uri.Scheme, "https");
    EXPECT_EQ(uri.Host, "www.example.com");
    EXPECT_EQ(uri.Port, 443);
    EXPECT_EQ(uri.Path, "/Path/File.exe");
    EXPECT_EQ(uri.Query, "x=1&y=2");
    EXPECT_EQ(uri.ToString(), "https://www.example.com/Path/File.exe?x=1&y=2");
    EXPECT_EQ(uri.Origin(), "https://www.example.com");

    const auto local = TURI::Parse("http://127.0.0.1:8080");
    EXPECT_EQ(local.Port, 8080);
    EXPECT_EQ(local.Path, "/");
    EXPECT_EQ(local.ToString(), "http://127.0.0.1:8080/");
}

TEST(UriTest, EscapesBlanksAndRawUtf8) {
    EXPECT_EQ(TURI::Parse(" http://h/a b/\xD1\x84.exe ").ToString(), "http://h/a%20b/%D1%84.exe");
}

TEST(UriTest, RejectsTextThatIsNoAbsoluteAddress) {
    for (const char* text : {"", "relative/path", "http://", "http://host:99999/", "://x",
                             "https://%25FAA/", "https://a%2Fb/", "https://a%00b/", "http://[::1%",
                             "ftp://h:0/", "http://h:00/", "https://%34%33/"}) {
        EXPECT_THROW(TURI::Parse(text), ENetURIException) << text;
    }
}

TEST(UriTest, HostsReadBackAsThemselves) {
    for (const char* text :
         {"http://Example.COM/x", "http://[::1]:8080/", "http://\xD0\xBF.rf/", "http://%D0%BF.rf/",
          "http://a_b.example/", "http://1abc.example/", "http://10.0.0.255/", "https://43/",
          "https://127.1/", "http://0x7f.1/"}) {
        const TURI uri = TURI::Parse(text);
        EXPECT_EQ(TURI::Parse(uri.ToString()).ToString(), uri.ToString()) << text;
    }
}

TEST(UriTest, ResolvesReferencesAgainstBase) {
    const auto base = TURI::Parse("http://h:81/a/b/c?q=1");
    const std::pair<const char*, const char*> cases[] = {
        {"d", "http://h:81/a/b/d"},     {"../d?x", "http://h:81/a/d?x"},
        {"/root", "http://h:81/root"},  {"//other/x", "http://other/x"},
        {"https://s/y", "https://s/y"}, {"?only", "http://h:81/a/b/c?only"},
    };
    for (const auto& [reference, expected] : cases) {
        EXPECT_EQ(base.Resolve(reference).ToString(), expected) << reference;
    }
}

TEST(UriTest, EncodesFormFields) {
    EXPECT_EQ(EncodeFormComponent("a b&c=d/é*-._~"), "a+b%26c%3Dd%2F%C3%A9*-._%7E");
    EXPECT_EQ(EncodeFormFields("user=Иван\r\nbaseStr=\r\n\r\nflag\nq=a=b"),
              "user=%D0%98%D0%B2%D0%B0%D0%BD&baseStr=&flag=&q=a%3Db");
    EXPECT_EQ(EncodeFormFields(""), "");
}

TEST(UriTest, FormFieldLinesFromScrapedTextKeepToOneField) {
    const struct {
        const char* Name;
        const char* Value;
        const char* Line;
        const char* Body; // EncodeFormFields of the line
    } cases[] = {
        {"token", "abc", "token=abc\r\n", "token=abc"},
        {"token", "abc\r\nadmin=1", "token=abcadmin=1\r\n", "token=abcadmin%3D1"},
        {"token", "a\nb\rc", "token=abc\r\n", "token=abc"},
        {"to\r\nken", "x", "token=x\r\n", "token=x"},
        {"q", "a=b c", "q=a=b c\r\n", "q=a%3Db+c"},
        {"empty", "", "empty=\r\n", "empty="},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(FormFieldLine(test.Name, test.Value), test.Line) << test.Line;
        EXPECT_EQ(EncodeFormFields(FormFieldLine(test.Name, test.Value)), test.Body) << test.Line;
    }
    EXPECT_EQ(EncodeFormFields(FormFieldLine("a", "1\n") + FormFieldLine("b", "\r\n2")), "a=1&b=2");
}

TEST(UriTest, DecodesPercentEscapesAndPlus) {
    EXPECT_EQ(URLDecode("Setup%201.2+x%2Fy"), "Setup 1.2 x/y");
    EXPECT_EQ(URLDecode("bad%2 %zz %"), "bad%2 %zz %");
}
