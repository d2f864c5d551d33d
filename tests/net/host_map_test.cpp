#include "net/host_map.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace brivane::net;
using brivane::test::TScopedEnv;
using brivane::test::TTempDir;

namespace {

std::string Rewrite(const THostMap& aMap, const char* aURL) {
    return aMap.Rewrite(TURI::Parse(aURL));
}

} // namespace

TEST(HostMapTest, MapsListedOriginsAndTheRestThroughStar) {
    const auto map = THostMap::Parse(R"({
        "https://www.7-zip.org": "http://127.0.0.1:8080/www.7-zip.org/",
        "HTTP://Example.com:81": "http://127.0.0.1:8081",
        "*": "http://127.0.0.1:9000/any/{host}"
    })",
                                     "test");
    EXPECT_EQ(Rewrite(map, "https://www.7-zip.org/a/7z.exe?x=1"),
              "http://127.0.0.1:8080/www.7-zip.org/a/7z.exe?x=1");
    EXPECT_EQ(Rewrite(map, "https://www.7-zip.org"), "http://127.0.0.1:8080/www.7-zip.org/");
    EXPECT_EQ(Rewrite(map, "http://example.com:81/p"), "http://127.0.0.1:8081/p");
    // Same host, other scheme or port: another origin.
    EXPECT_EQ(Rewrite(map, "http://www.7-zip.org/"), "http://127.0.0.1:9000/any/www.7-zip.org/");
    EXPECT_EQ(Rewrite(map, "http://example.com/p"), "http://127.0.0.1:9000/any/example.com/p");
    // Loopback addresses are left alone by "*".
    EXPECT_EQ(Rewrite(map, "http://127.0.0.1:5/x"), "http://127.0.0.1:5/x");
}

TEST(HostMapTest, WithoutStarUnlistedOriginsStay) {
    const auto map = THostMap::Parse(R"({"http://a.example": "http://127.0.0.1:1/a"})", "test");
    EXPECT_EQ(Rewrite(map, "http://b.example/x"), "http://b.example/x");
    EXPECT_EQ(Rewrite(map, "http://a.example/x"), "http://127.0.0.1:1/a/x");
}

TEST(HostMapTest, MalformedMapsAreClearErrors) {
    const std::pair<std::string, std::string> cases[] = {
        {R"({"http://a.example": )", "not valid JSON"},
        {"", "not valid JSON"},
        {R"(["http://a.example"])", "not a JSON object"},
        {R"({"http://a.example": 5})", "the value of \"http://a.example\" is not a text"},
        {R"({"http://a.example": "ftp://127.0.0.1/"})", "is not an http or https address"},
        {R"({"http://a.example": "nowhere"})", "is not an http or https address"},
        {R"({"a.example": "http://127.0.0.1/"})", "the key \"a.example\" is not an origin"},
        {R"({"http://a.example/path": "http://127.0.0.1/"})", "is not an origin"},
        {R"({"ftp://a.example": "http://127.0.0.1/"})", "is not an origin"},
        {std::string(100'000, '[') + std::string(100'000, ']'),
         "not valid JSON (nested deeper than 64 levels)"},
        // Raw bytes of a binary file, or control characters a key spells out, are
        // shown as escapes, never sent to the terminal as they are.
        {"{\"\xFF\x1B[2J\"}", "last read: '\"\\xFF'"},
        {R"({"http://a\u001b[31m": "http://127.0.0.1/"})", "the key \"http://a\\x1B[31m\""},
    };
    for (const auto& [json, reason] : cases) {
        try {
            THostMap::Parse(json, "hosts.json");
            ADD_FAILURE() << "accepted " << json;
        } catch (const EHostMapError& e) {
            const std::string message = e.what();
            EXPECT_TRUE(message.starts_with("Host map 'hosts.json': ")) << message;
            EXPECT_NE(message.find(reason), std::string::npos) << message;
            EXPECT_TRUE(std::all_of(message.begin(), message.end(), [](char c) {
                return c >= 0x20 && c < 0x7F;
            })) << message;
        }
    }
}

TEST(HostMapTest, FileFromEnvironmentAndItsErrorsPersist) {
    TTempDir folder;
    const auto good = folder.Write("good.json", R"({"*": "http://127.0.0.1:1/{host}"})");
    const auto bad = folder.Write("bad.json", "{");
    {
        TScopedEnv env("BRIVANE_HOSTS", good.string().c_str());
        ResetHostMap();
        const auto map = CurrentHostMap();
        ASSERT_NE(map, nullptr);
        EXPECT_EQ(map->Rewrite(TURI::Parse("http://x.example/")), "http://127.0.0.1:1/x.example/");
    }
    {
        TScopedEnv env("BRIVANE_HOSTS", bad.string().c_str());
        ResetHostMap();
        EXPECT_THROW(CurrentHostMap(), EHostMapError);
        EXPECT_THROW(CurrentHostMap(), EHostMapError); // every request fails, not only the first
        SetHostMap(nullptr);
        EXPECT_EQ(CurrentHostMap(), nullptr);
    }
    {
        TScopedEnv env("BRIVANE_HOSTS", (folder / "missing.json").string().c_str());
        ResetHostMap();
        EXPECT_THROW(CurrentHostMap(), EHostMapError);
    }
    ResetHostMap();
}
