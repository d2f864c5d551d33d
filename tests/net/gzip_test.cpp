#include "net/gzip.h"
#include "support/gzip_encode.h"

#include <gtest/gtest.h>

using namespace brivane::net;
using brivane::test::GzipEncode;

TEST(GzipTest, DecodesOneOrMoreMembers) {
    const std::string text(100000, 'x');
    EXPECT_EQ(GzipDecode(GzipEncode(text), 1 << 20), text);
    EXPECT_EQ(GzipDecode(GzipEncode("ab") + GzipEncode("cd"), 100), "abcd");
    EXPECT_EQ(GzipDecode(GzipEncode("ab") + "trailing", 100), "ab");
    EXPECT_EQ(GzipDecode("", 100), "");
}

TEST(GzipTest, RejectsMalformedAndTruncatedData) {
    const std::string encoded = GzipEncode(std::string(5000, 'y'));
    std::string corrupted = encoded;
    corrupted[12] = static_cast<char>(corrupted[12] ^ 0x55);
    for (const std::string& bad : {std::string("plain text"), encoded.substr(0, encoded.size() / 2),
                                   encoded.substr(0, encoded.size() - 4), corrupted}) {
        EXPECT_THROW(GzipDecode(bad, 1 << 20), EGzipError);
    }
}

TEST(GzipTest, StopsAtTheOutputLimit) {
    const std::string encoded = GzipEncode(std::string(1000, '\0'));
    EXPECT_EQ(GzipDecode(encoded, 1000).size(), 1000u);
    try {
        GzipDecode(encoded, 999);
        FAIL() << "no error";
    } catch (const EGzipError& e) {
        EXPECT_STREQ(e.what(), "Decoded gzip data exceeds the limit of 999 bytes");
    }
}
