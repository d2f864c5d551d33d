#include "catalogue/publisher_sources.h"

#include "net/http_helpers.h"
#include "support/loopback_server.h"

#include <gtest/gtest.h>

#include <mutex>

using namespace brivane;
using namespace brivane::test;

TEST(PublisherSourcesTest, VersionTexts) {
    for (const char* version : {"5.21.0.5700", "7", "10.4.0.0200"}) {
        EXPECT_TRUE(IsVersionText(version)) << version;
    }
    for (const char* text : {"", ".", "5.", ".5", "5.21-beta", " 5.21", "v5"}) {
        EXPECT_FALSE(IsVersionText(text)) << text;
    }
    static const auto loose = NewRegex("([\\d.]+)");
    EXPECT_EQ(VersionIn(*loose, "version 4.1.1.0\r\n"), "4.1.1.0");
    EXPECT_EQ(VersionIn(*loose, "Service unavailable."), ""); // a stray dot is no version
    EXPECT_EQ(VersionIn(*loose, ""), "");
}

TEST(PublisherSourcesTest, UpdateAnswerPartsJoinToFour) {
    static const auto parts = NewRegex("(\\d+?)\\.(\\d+?)\\.(?:(\\d+?)\\.)?(\\d+)");
    EXPECT_EQ(JoinedVersion(*parts->Match("5.21.5700")), "5.21.0.5700");
    EXPECT_EQ(JoinedVersion(*parts->Match("5.21.3.5700")), "5.21.3.5700");
}

TEST(PublisherSourcesTest, AmpersandsOfLinksCopiedFromHtml) {
    EXPECT_EQ(DecodeAmpersands("/get/?a=1&amp;b=2&amp;amp;c"), "/get/?a=1&b=2&amp;c");
    EXPECT_EQ(DecodeAmpersands("a&amp"), "a&amp"); // cut off: stays
    EXPECT_EQ(DecodeAmpersands(""), "");
}

TEST(PublisherSourcesTest, MonthDayYearDates) {
    const auto date = [](int aYear, int aMonth, int aDay) {
        return std::optional<TDateTime>(EncodeDateTime(aYear, aMonth, aDay));
    };
    EXPECT_EQ(ParseMonthDayYear("March 22, 2016"), date(2016, 3, 22));
    EXPECT_EQ(ParseMonthDayYear("december 1, 2015"), date(2015, 12, 1));
    EXPECT_EQ(ParseMonthDayYear(" February 29, 2016"), date(2016, 2, 29)); // leap year
    // Texts of another shape name no date.
    for (const char* text : {"", "2016-03-22", "22 March 2016", "March 22 2016", "March, 2016"}) {
        EXPECT_EQ(ParseMonthDayYear(text), std::nullopt) << text;
    }
    // A month that does not exist or a day the month does not have is an error.
    for (const char* text :
         {"Mrach 22, 2016", "Released: May 3, 2016", "February 29, 2015", "April 31, 2016",
          "March 0, 2016", "March 22, 0", "March 99999999999999999999, 2016", "March 22, 99999"}) {
        EXPECT_THROW(ParseMonthDayYear(text), EPageDateError) << text;
    }
}

namespace {

// A server whose "/go" redirects to what the test sets and whose "/big" answers with
// more than a version file holds.
class PublisherSourcesHttpTest : public ::testing::Test {
protected:
    void SetUp() override {
        fServer.Server().Get("/go", [this](const httplib::Request&, httplib::Response& aResponse) {
            std::lock_guard lock(fLock);
            if (!fLocation.empty()) {
                aResponse.status = 302;
                aResponse.set_header("Location", fLocation);
            }
            aResponse.set_content("moved", "text/plain");
        });
        fServer.Server().Get("/version", [](const httplib::Request&, httplib::Response& aResponse) {
            aResponse.set_content("4.1.1.0\r\n", "text/plain");
        });
        fServer.Server().Get("/big", [](const httplib::Request&, httplib::Response& aResponse) {
            aResponse.set_content(std::string(kMaxVersionFileSize + 1, '1'), "text/plain");
        });
        fServer.Start();
    }

    void SetLocation(std::string aLocation) {
        std::lock_guard lock(fLock);
        fLocation = std::move(aLocation);
    }

    std::mutex fLock;
    std::string fLocation;
    TLoopbackServer fServer;
    std::unique_ptr<net::THTTPClient> fClient = net::CreateHTTPClient();
};

} // namespace

TEST_F(PublisherSourcesHttpTest, VersionFilesAreShort) {
    EXPECT_EQ(ReadVersionFile(*fClient, fServer.Url("/version")), "4.1.1.0\r\n");
    EXPECT_EQ(ReadVersionFile(*fClient, fServer.Url("/big")), "");
    EXPECT_EQ(ReadVersionFile(*fClient, fServer.Url("/missing")), ""); // 404 page: empty
    EXPECT_EQ(ReadVersionFile(*fClient, "http://127.0.0.1:1/version"), "");
}

TEST_F(PublisherSourcesHttpTest, VersionFileWithFixedInstaller) {
    static const auto version = NewRegex("([\\d.]+)");
    TCheckedParams found;
    CheckVersionFile(*fClient, fServer.Url("/version"), *version, "https://a.example/setup.exe",
                     found);
    EXPECT_EQ(found.AvailableVersion, "4.1.1.0");
    EXPECT_EQ(found.DownloadURL, "https://a.example/setup.exe");
    TCheckedParams none;
    CheckVersionFile(*fClient, fServer.Url("/big"), *version, "https://a.example/setup.exe", none);
    EXPECT_EQ(none.AvailableVersion, "");
    EXPECT_EQ(none.DownloadURL, ""); // no installer without a version
}

TEST_F(PublisherSourcesHttpTest, RedirectsFollowedByHand) {
    struct TCase {
        const char* Location;
        std::string Expected;
    };
    const TCase cases[] = {
        {"https://cdn.example/Setup_1.2.exe", "https://cdn.example/Setup_1.2.exe"},
        {"/download/get/?id=1&amp;x=2", fServer.Url("/download/get/?id=1&amp;x=2")},
        {"setup.exe", fServer.Url("/setup.exe")},
        {"", ""}, // no redirect
    };
    for (const auto& c : cases) {
        SetLocation(c.Location);
        fClient->SetHandleRedirects(false);
        EXPECT_EQ(RedirectLocation(*fClient, fServer.Url("/go")), c.Expected) << c.Location;
        EXPECT_TRUE(fClient->HandleRedirects()); // following is on again
    }
    EXPECT_EQ(RedirectLocation(*fClient, "http://127.0.0.1:1/go"), "");
    EXPECT_TRUE(fClient->HandleRedirects());
}
