#include "support/loopback_server.h"
#include "support/pe_samples.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace brivane;
using namespace brivane::test;

TEST(ProbeTest, PrintsTheVersionOfARemoteExecutableAndWhatItCost) {
    TLoopbackServer server;
    const std::string file = BuildPeFile(SampleProgram()).Bytes;
    server.Server().Get("/setup.exe",
                        [&file](const httplib::Request&, httplib::Response& aResponse) {
                            aResponse.set_content(file, "application/octet-stream");
                        });
    server.Start();

    const auto json = RunCli({"probe", server.Url("/setup.exe"), "--json"});
    ASSERT_EQ(json.ExitCode, 0) << json.Err;
    const auto value = nlohmann::ordered_json::parse(json.Out);
    EXPECT_EQ(value["FileVersionText"], "9.8.7.6");
    EXPECT_EQ(value["StringFileInfo"]["ProductName"], "Sample");
    EXPECT_EQ(value["Requests"], 8);
    EXPECT_GT(value["Bytes"], 64);

    // Through the host map, as catalogue entries reach their publishers.
    TTempDir dir;
    const auto hosts =
        dir.Write("hosts.json", R"({"https://www.example.com": ")" + server.Origin() + "\"}");
    const auto table =
        RunCli({"probe", "https://www.example.com/setup.exe", "--hosts", hosts.string()});
    ASSERT_EQ(table.ExitCode, 0) << table.Err;
    EXPECT_NE(table.Out.find("FileVersionText     9.8.7.6"), std::string::npos) << table.Out;
}

// The transport's own words for a refused connection.
#ifdef _WIN32
constexpr const char* kRefusedText = "(12029) "; // WinINet's ERROR_INTERNET_CANNOT_CONNECT
#else
constexpr const char* kRefusedText = "Couldn't connect to server"; // libcurl's
#endif

TEST(ProbeTest, WhatIsNoExecutableWithAVersionFailsWithTheReason) {
    TLoopbackServer server;
    TPeFileOptions noVersion;
    noVersion.Resources = {{std::uint16_t{3}, std::uint16_t{1}, 0x0409, std::string(40, 'i')}};
    const std::string plain = BuildPeFile(noVersion).Bytes;
    server.Server().Get("/plain.exe",
                        [&plain](const httplib::Request&, httplib::Response& aResponse) {
                            aResponse.set_content(plain, "application/octet-stream");
                        });
    server.Server().Get("/readme.txt", [](const httplib::Request&, httplib::Response& aResponse) {
        aResponse.set_content("not an executable", "application/octet-stream");
    });
    server.Start();
    // A port that was free a moment ago: nobody answers there.
    const std::string refused = [] {
        TLoopbackServer gone;
        return gone.Url("/setup.exe");
    }();
    const struct {
        std::string URL;
        std::string Message;
    } cases[] = {
        {server.Url("/missing.exe"), "HTTP 404 Not Found"},
        {server.Url("/readme.txt"), "not a Windows executable"},
        {server.Url("/plain.exe"), "has no version information"},
        {refused, kRefusedText},
    };
    for (const auto& test : cases) {
        const auto result = RunCli({"probe", test.URL, "--json"});
        EXPECT_EQ(result.ExitCode, 1) << test.URL;
        EXPECT_EQ(result.Out, "") << test.URL;
        EXPECT_TRUE(result.Err.starts_with("brivane-cli: " + test.URL + ": ")) << result.Err;
        EXPECT_NE(result.Err.find(test.Message), std::string::npos) << result.Err;
        EXPECT_EQ(std::count(result.Err.begin(), result.Err.end(), '\n'), 1) << result.Err;
    }
}

TEST(ProbeTest, BadAddressesAreBadInput) {
    for (const char* url : {"ftp://127.0.0.1/setup.exe", "not a url", ""}) {
        const auto result = RunCli({"probe", url});
        EXPECT_EQ(result.ExitCode, 2) << url;
        EXPECT_EQ(result.Out, "");
        EXPECT_EQ(std::count(result.Err.begin(), result.Err.end(), '\n'), 1) << result.Err;
    }
}
