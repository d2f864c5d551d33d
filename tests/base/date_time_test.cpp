#include "base/date_time.h"

#include <gtest/gtest.h>

using namespace brivane;

TEST(DateTimeTest, EncodesDaysSince1899) {
    EXPECT_DOUBLE_EQ(EncodeDateTime(1899, 12, 30), 0.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime(1970, 1, 1), kUnixEpochDays);
    EXPECT_DOUBLE_EQ(EncodeDateTime(2016, 5, 11, 12), 42501.5);
    const auto p = DecodeDateTime(EncodeDateTime(2024, 2, 29, 23, 59, 59));
    EXPECT_EQ((std::tuple{p.Year, p.Month, p.Day, p.Hour, p.Minute, p.Second}),
              (std::tuple{2024, 2, 29, 23, 59, 59}));
    EXPECT_EQ(FormatIsoDateTime(EncodeDateTime(2016, 5, 11, 8, 5, 3)), "2016-05-11T08:05:03");
}

TEST(DateTimeTest, ParsesHttpDatesInAllThreeForms) {
    constexpr std::int64_t k1994 = 784111777; // 1994-11-06 08:49:37 UTC
    EXPECT_EQ(ParseHttpDate("Sun, 06 Nov 1994 08:49:37 GMT"), k1994);
    EXPECT_EQ(ParseHttpDate("Sunday, 06-Nov-94 08:49:37 GMT"), k1994);
    EXPECT_EQ(ParseHttpDate("Sun Nov  6 08:49:37 1994"), k1994);
    EXPECT_EQ(ParseHttpDate("Sun, 06 Nov 1994 10:49:37 +0200"), k1994);
    for (const char* bad :
         {"", "yesterday", "Sun, 06 Foo 1994 08:49:37 GMT", "Sun, 32 Nov 1994 08:49:37 GMT",
          "Sun, 06 Nov 1994 25:49:37 GMT", "Sun, 06 Nov 1994 08:49"}) {
        EXPECT_FALSE(ParseHttpDate(bad).has_value()) << bad;
    }
}
