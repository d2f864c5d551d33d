#include "support/catalogue_environment.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

namespace {

constexpr const char* kManifestPath = "/update.brivane.app/download/dernholt/version.json";

// The maker's update server: the manifest and the installer it names.
class DernholtTest : public ::testing::Test {
protected:
    void SetUp() override {
        fMachine.ServeText(kManifestPath, "");
        fMachine.Server().Get(
            "/update.brivane.app/download/dernholt/dernholt-setup-2.4.1.exe",
            [](const httplib::Request&, httplib::Response& aResponse) {
                aResponse.set_header("Last-Modified", "Wed, 11 May 2016 10:20:30 GMT");
                aResponse.set_content(std::string(4321, 'x'), "application/octet-stream");
            });
    }

    // The entry checked afresh against the manifest. The server compresses JSON
    // when the client accepts it, but not other types.
    TBaseSoftware& Check(std::string aManifest, std::string aContentType = "application/json") {
        fMachine.ServeText(kManifestPath, std::move(aManifest), std::move(aContentType));
        return fMachine.CheckEntry("Dernholt");
    }

    TCatalogueEnvironment fMachine;
};

} // namespace

TEST_F(DernholtTest, ManifestGivesVersionAndInstaller) {
    const TBaseSoftware& entry =
        Check(SiteFixture("update.brivane.app/download/dernholt/version.json"));
    EXPECT_EQ(entry.AvailableVersion(), "2.4.1");
    EXPECT_EQ(entry.DownloadURL(),
              "https://update.brivane.app/download/dernholt/dernholt-setup-2.4.1.exe");
    EXPECT_FALSE(entry.IsBeta());
    EXPECT_EQ(entry.Size(), 4321);
    EXPECT_EQ(entry.UpdateDate(), UnixToLocalDateTime(1462962030));
    EXPECT_EQ(entry.Info().Category(), scInternetNetwork);
    EXPECT_EQ(entry.Info().License(), slFreeware);
    const TProgramInfo info = entry.MakeProgramInfo();
    EXPECT_EQ(info.Name, "Dernholt");
    EXPECT_EQ(info.AvailableVersion, "2.4.1");
    EXPECT_EQ(info.Size, 4321);
}

TEST_F(DernholtTest, ManifestsOfAnotherShapeOrDamagedGiveWhatTheyCan) {
    const std::string fixture = SiteFixture("update.brivane.app/download/dernholt/version.json");
    struct TCase {
        std::string Manifest;
        const char* Version;
        const char* URL;
    };
    const TCase cases[] = {
        {fixture.substr(0, fixture.size() / 2), "", ""}, // truncated
        {"", "", ""},
        {"<html><body>Service unavailable</body></html>", "", ""},
        {R"([{"version": "2.0"}])", "", ""},
        {R"("2.0")", "", ""},
        {R"({"version": {"major": 2}})", "", ""}, // raises: nothing is taken
        {R"({"version": "2.0", "url": {"install": ["a.exe"]}})", "", ""},
        {R"({"version": "2.0", "url": "https://update.brivane.app/setup.exe"})", "2.0", ""},
        {R"({"version": "2.0", "url": {"portable": "p.zip"}})", "2.0", ""},
        {R"({"version": 3, "url": {"install": null}})", "3", ""},
        {R"({"version": null, "url": {"install": "https://x.example/a.exe"}})", "",
         "https://x.example/a.exe"},
        {R"({"Version": "2.0"})", "", ""},
    };
    for (const auto& c : cases) {
        const TBaseSoftware& entry = Check(c.Manifest);
        EXPECT_EQ(entry.AvailableVersion(), c.Version) << c.Manifest;
        EXPECT_EQ(entry.DownloadURL(), c.URL) << c.Manifest;
    }
}

TEST_F(DernholtTest, OversizedManifestIsRefused) {
    // Valid JSON, but more than a page may hold: as sent, and once decompressed.
    const auto manifest = [](std::size_t aPadding) {
        return R"({"version": "2.0", "padding": ")" + std::string(aPadding, ' ') + "\"}";
    };
    EXPECT_EQ(Check(manifest(33 << 20), "application/octet-stream").AvailableVersion(), "");
    EXPECT_EQ(Check(manifest(65 << 20)).AvailableVersion(), "");
    EXPECT_EQ(Check(manifest(1 << 20)).AvailableVersion(), "2.0");
}
