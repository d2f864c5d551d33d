#include "install/installer_name.h"
#include "net/http_helpers.h"
#include "support/loopback_server.h"

#include <gtest/gtest.h>

using namespace brivane::install;
using brivane::test::TLoopbackServer;

TEST(InstallerNameTest, TheQuotedNameOfTheDispositionIsTaken) {
    const std::pair<const char*, const char*> cases[] = {
        {R"(attachment; filename="Setup 2.exe")", "Setup 2.exe"},
        {R"(attachment; FILENAME="a.exe"; filename="b.exe")", "a.exe"},
        {"attachment; filename=\"two\r\nlines.exe\"", "two\r\nlines.exe"},
        {"attachment; filename=Setup.exe", ""}, // unquoted
        {R"(attachment; filename="")", ""},
        {"attachment", ""},
        {"", ""},
    };
    for (const auto& [header, name] : cases) {
        EXPECT_EQ(DispositionFileName(header), name) << header;
    }
}

TEST(InstallerNameTest, TheServerNamesTheInstallerByHeaderOrByItsFinalAddress) {
    TLoopbackServer server;
    auto& http = server.Server();
    http.Get("/named", [](const httplib::Request&, httplib::Response& aResponse) {
        aResponse.set_header("Content-Disposition", R"(attachment; filename="Brivane 13.exe")");
        aResponse.set_content("MZ", "application/octet-stream");
    });
    http.Get("/escaping", [](const httplib::Request&, httplib::Response& aResponse) {
        aResponse.set_header("Content-Disposition", R"(attachment; filename="../Brivane.exe")");
        aResponse.set_content("MZ", "application/octet-stream");
    });
    http.Get("/latest", [](const httplib::Request&, httplib::Response& aResponse) {
        aResponse.set_redirect("/files/Brivane_13.exe");
    });
    http.Get("/files/Brivane_13.exe", [](const httplib::Request&, httplib::Response& aResponse) {
        aResponse.set_content(std::string(100'000, 'x'), "application/octet-stream");
    });
    server.Start();
    const std::string refused = [] {
        TLoopbackServer gone;
        return gone.Url("/setup.exe");
    }();

    auto client = brivane::net::CreateUpdateClient();
    EXPECT_EQ(ServerFileName(*client, server.Url("/named")), "Brivane 13.exe");
    // A name reaching out of the folder keeps only its last part.
    EXPECT_EQ(ServerFileName(*client, server.Url("/escaping")), "Brivane.exe");
    EXPECT_EQ(ServerFileName(*client, server.Url("/latest")), "Brivane_13.exe");
    EXPECT_EQ(ServerFileName(*client, server.Url("/")), "");
    EXPECT_EQ(ServerFileName(*client, refused), "");
    // The probe leaves the client as it was.
    EXPECT_FALSE(client->OnReceiveData());
}
