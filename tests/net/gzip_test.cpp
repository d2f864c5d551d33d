#include "net/gzip.h"
#include "support/gzip_encode.h"

#include <gtest/gtest.h>

using namespace brivane::net;
using brivane::test::DeflateEncode;
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

TEST(GzipTest, DeflateBodiesZlibWrappedOrRaw) {
    const std::string text = "deflated page " + std::string(5000, 'z');
    const std::string wrapped = DeflateEncode(text);
    const std::string raw = DeflateEncode(text, true);
    std::string corrupted = wrapped;
    corrupted[10] = static_cast<char>(corrupted[10] ^ 0x55);
    const struct {
        const char* Name;
        std::string Data;
        std::string Text; // empty: an error
    } cases[] = {
        {"zlib", wrapped, text},
        {"raw", raw, text},
        {"zlib, trailing bytes", wrapped + "xyz", text},
        {"empty", "", ""},
        {"truncated zlib", wrapped.substr(0, wrapped.size() / 2), ""},
        {"truncated raw", raw.substr(0, raw.size() / 2), ""},
        {"corrupted", corrupted, ""},
        {"plain text", "plain text", ""},
        {"gzip", GzipEncode(text), ""},
    };
    for (const auto& test : cases) {
        if (test.Text.empty() && !test.Data.empty()) {
            EXPECT_THROW(DeflateDecode(test.Data, 1 << 20), EGzipError) << test.Name;
        } else {
            EXPECT_EQ(DeflateDecode(test.Data, 1 << 20), test.Text) << test.Name;
        }
    }
    try {
        DeflateDecode(DeflateEncode(std::string(1000, '\0'), true), 999);
        FAIL() << "no error";
    } catch (const EGzipError& e) {
        EXPECT_STREQ(e.what(), "Decoded deflate data exceeds the limit of 999 bytes");
    }
}
