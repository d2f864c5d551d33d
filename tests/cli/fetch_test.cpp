#include "support/gzip_encode.h"
#include "support/loopback_server.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using brivane::test::RunCli;
using brivane::test::TLoopbackServer;
using brivane::test::TTempDir;

namespace {

constexpr const char* kBinary = "application/octet-stream";
// A page and a header that would recolour, clear and retitle a terminal.
constexpr const char* kEvilPage = "plain \x1B[31mred\x1B[0m \x07"
                                  "bell\r\nline\xC2\x9B"
                                  "2J\n\x1B]0;t\n";
constexpr const char* kEvilHeader = "a\x1B[2Jb";

class FetchCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& s = fServer.Server();
        s.Get("/page", [](const httplib::Request& aRequest, httplib::Response& aResponse) {
            aResponse.set_header("Content-Encoding", "gzip");
            aResponse.set_header("X-Agent", aRequest.get_header_value("User-Agent"));
            aResponse.set_content(brivane::test::GzipEncode("Привет, " + aRequest.path), kBinary);
        });
        s.Get("/jump", [](const httplib::Request&, httplib::Response& aResponse) {
            aResponse.set_redirect("/page", 302);
        });
        s.Post("/form", [](const httplib::Request& aRequest, httplib::Response& aResponse) {
            aResponse.set_content(aRequest.body, kBinary);
        });
        s.Get("/bytes", [](const httplib::Request&, httplib::Response& aResponse) {
            aResponse.set_content("0123456789", kBinary);
        });
        s.Get("/bad-gzip", [](const httplib::Request&, httplib::Response& aResponse) {
            aResponse.set_header("Content-Encoding", "gzip");
            aResponse.set_content("not gzip", kBinary);
        });
        s.Get("/controls", [](const httplib::Request&, httplib::Response& aResponse) {
            aResponse.set_header("X-Evil", kEvilHeader);
            aResponse.set_content(kEvilPage, kBinary);
        });
        fServer.Start();
    }

    TLoopbackServer fServer;
};

void ExpectOneLineError(const brivane::test::TProcessResult& aResult, int aExitCode) {
    EXPECT_EQ(aResult.ExitCode, aExitCode) << aResult.Err;
    EXPECT_EQ(aResult.Out, "");
    EXPECT_EQ(std::count(aResult.Err.begin(), aResult.Err.end(), '\n'), 1) << aResult.Err;
}

} // namespace

TEST_F(FetchCommandTest, PrintsDecodedPageText) {
    const auto result = RunCli({"fetch", fServer.Url("/jump")});
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out, "Привет, /page\n");
}

TEST_F(FetchCommandTest, JsonCarriesStatusFinalUrlHeadersAndText) {
    const auto result = RunCli({"fetch", fServer.Url("/jump"), "--json"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const auto json = nlohmann::json::parse(result.Out);
    EXPECT_EQ(json["status"], 200);
    EXPECT_EQ(json["url"], fServer.Url("/page"));
    EXPECT_EQ(json["headers"]["X-Agent"], "Brivane");
    EXPECT_EQ(json["text"], "Привет, /page");
}

TEST_F(FetchCommandTest, HeadPostRangeAndNoRedirects) {
    const auto head = RunCli({"fetch", fServer.Url("/bytes"), "--head"});
    EXPECT_EQ(head.ExitCode, 0) << head.Err;
    EXPECT_TRUE(head.Out.starts_with("200 OK\n")) << head.Out;
    EXPECT_NE(head.Out.find("Content-Length: 10\n"), std::string::npos) << head.Out;

    const auto post = RunCli({"fetch", fServer.Url("/form"), "--post", "a=1 2", "--post", "b="});
    EXPECT_EQ(post.Out, "a=1+2&b=\n") << post.Err;
    // A value with line breaks stays one field.
    const auto broken = RunCli({"fetch", fServer.Url("/form"), "--post", "a=1\r\nadmin=1"});
    EXPECT_EQ(broken.Out, "a=1admin%3D1\n") << broken.Err;

    const auto range = RunCli({"fetch", fServer.Url("/bytes"), "--range", "2-4"});
    EXPECT_EQ(range.Out, "234\n") << range.Err;

    const auto stay = RunCli({"fetch", fServer.Url("/jump"), "--no-redirects", "--json"});
    ASSERT_EQ(stay.ExitCode, 0) << stay.Err;
    EXPECT_EQ(nlohmann::json::parse(stay.Out)["status"], 302);
}

TEST_F(FetchCommandTest, FollowsTheHostMap) {
    TTempDir folder;
    const auto map = folder.Write("hosts.json", R"({"*": ")" + fServer.Url("/{host}") + R"("})");
    const auto result =
        RunCli({"fetch", "https://www.publisher.localhost/x", "--hosts", map.string(), "--json"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const auto json = nlohmann::json::parse(result.Out);
    EXPECT_EQ(json["url"], "https://www.publisher.localhost/x");
    EXPECT_EQ(json["status"], 404); // served at /www.publisher.localhost/x

    const auto viaEnv = RunCli(
        {"fetch", "http://site.localhost/page"}, "",
        {{"BRIVANE_HOSTS",
          folder.Write("page.json", R"({"http://site.localhost": ")" + fServer.Origin() + R"("})")
              .string()}});
    EXPECT_EQ(viaEnv.Out, "Привет, /page\n") << viaEnv.Err;
}

TEST_F(FetchCommandTest, BadInputExitsWithTwo) {
    TTempDir folder;
    const auto badMap = folder.Write("bad.json", "{\"*\": ");
    const std::vector<std::vector<std::string>> cases{
        {"fetch"},
        {"fetch", "not an address"},
        {"fetch", "ftp://127.0.0.1/x"},
        {"fetch", fServer.Url("/bytes"), "--range", "4-2"},
        {"fetch", fServer.Url("/bytes"), "--range", "-"},
        {"fetch", fServer.Url("/bytes"), "--range", "a-b"},
        {"fetch", fServer.Url("/form"), "--post", "novalue"},
        {"fetch", fServer.Url("/bytes"), "--head", "--post", "a=1"},
        {"fetch", fServer.Url("/bytes"), "--hosts", badMap.string()},
        {"fetch", fServer.Url("/bytes"), "--hosts", (folder / "missing.json").string()},
    };
    for (const auto& arguments : cases) {
        SCOPED_TRACE(arguments.back());
        ExpectOneLineError(RunCli(arguments), 2);
    }
    ExpectOneLineError(
        RunCli({"fetch", fServer.Url("/bytes")}, "", {{"BRIVANE_HOSTS", badMap.string()}}), 2);
}

TEST_F(FetchCommandTest, FailedRequestExitsWithOne) {
    ExpectOneLineError(RunCli({"fetch", fServer.Url("/bad-gzip")}), 1);
    // A port nothing listens on: the server's, once it has stopped.
    std::string url;
    {
        TLoopbackServer gone;
        url = gone.Url("/");
    }
    const auto result = RunCli({"fetch", url});
    ExpectOneLineError(result, 1);
    EXPECT_NE(result.Err.find("Execution of request terminated with unknown error"),
              std::string::npos);
}

#ifndef _WIN32 // pseudo-terminals are POSIX's (support/run_process.h)
TEST_F(FetchCommandTest, ControlCharactersReachATerminalOnlyAsVisibleEscapes) {
    const auto url = fServer.Url("/controls");
    const auto shown = brivane::test::RunCliOnTerminal({"fetch", url});
    EXPECT_EQ(shown.ExitCode, 0) << shown.Err;
    EXPECT_EQ(shown.Out, "plain \\x1B[31mred\\x1B[0m \\x07bell\r\nline\\u009B2J\n\\x1B]0;t\n");
    const auto head = brivane::test::RunCliOnTerminal({"fetch", url, "--head"});
    EXPECT_NE(head.Out.find("\nX-Evil: a\\x1B[2Jb\n"), std::string::npos) << head.Out;
    // JSON is exact and escaped, on a terminal or not.
    for (const auto& json : {brivane::test::RunCliOnTerminal({"fetch", url, "--json"}),
                             RunCli({"fetch", url, "--json"})}) {
        EXPECT_EQ(json.Out.find('\x1B'), std::string::npos);
        EXPECT_EQ(json.Out.find("\xC2\x9B"), std::string::npos);
        const auto value = nlohmann::json::parse(json.Out);
        EXPECT_EQ(value["text"], kEvilPage);
        EXPECT_EQ(value["headers"]["X-Evil"], kEvilHeader);
    }
    // Into a pipe or a file the bytes go as they are.
    EXPECT_EQ(RunCli({"fetch", url}).Out, kEvilPage);
}
#endif
