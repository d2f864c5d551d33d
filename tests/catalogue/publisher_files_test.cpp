// Entries whose latest version comes from a publisher's file or a redirect rather than
// a page: what they make of files that are cut short, shuffled or wrong.

#include "support/catalogue_environment.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

TEST(PublisherFilesTest, FreemakeSectionsKeepTheirOwnInstaller) {
    const std::string withoutInstaller =
        "[FAC]\r\nVersion=\"1.1.8.14\"\r\n\r\n"
        "[FMB]\r\nVersion=\"1.0.2.8\"\r\n"
        "OfflineUrl=\"https://files.freemake.com/bin/FMB.exe\"\r\n";
    struct TCase {
        const char* Entry;
        std::string File;
        const char* Version;
        const char* URL;
    };
    constexpr const char* kAudio = "Freemake Audio Converter";
    const TCase cases[] = {
        {kAudio, withoutInstaller, "", ""}, // not the next section's installer
        {"Freemake Music Box", withoutInstaller, "1.0.2.8",
         "https://files.freemake.com/bin/FMB.exe"},
        {kAudio, "[FAC]\r\nVersion=\"1.1.8.14\"\r\nOfflineUrl=\"https://files.f", "", ""},
        {kAudio, "[FAC]\r\nVersion=1.1.8.14\r\nOfflineUrl=https://files.freemake.com/a.exe\r\n", "",
         ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Entry) + ": " + c.File);
        TCatalogueEnvironment machine;
        machine.ServeText("/www.freemake.com/releases.ini", c.File, "text/plain");
        const TBaseSoftware& entry = machine.CheckEntry(c.Entry);
        EXPECT_EQ(entry.AvailableVersion(), c.Version);
        EXPECT_EQ(entry.DownloadURL(), c.URL);
    }
}

TEST(PublisherFilesTest, PlainVersionFilesHoldAVersionAndNothingElse) {
    struct TCase {
        const char* Entry;
        const char* Path;
        const char* File;
        const char* Version;
    };
    const TCase cases[] = {
        {"Download Master", "/westbyte.com/dm/version.txt", "6.10.1.1519\r\n", "6.10.1.1519"},
        {"Download Master", "/westbyte.com/dm/version.txt", "404 Not Found", ""},
        {"Download Master", "/westbyte.com/dm/version.txt", "6.10.1.1519 beta", ""},
        {"KC Softwares SUMo", "/www.kcsoftwares.com/update/sumo.txt", " 4.3.4.317 ", "4.3.4.317"},
        {"KC Softwares SUMo", "/www.kcsoftwares.com/update/sumo.txt", "4", ""},
        {"BurnAware Free", "/www.burnaware.com/update.ini", "[BurnAware]\nVersion = 9.5\n", "9.5"},
        {"BurnAware Free", "/www.burnaware.com/update.ini", "[BurnAware 9]\nDate=2016\n", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Entry) + ": " + c.File);
        TCatalogueEnvironment machine;
        machine.ServeText(c.Path, c.File, "text/plain");
        const TBaseSoftware& entry = machine.CheckEntry(c.Entry);
        EXPECT_EQ(entry.AvailableVersion(), c.Version);
        EXPECT_EQ(entry.DownloadURL().empty(), *c.Version == '\0');
    }
}

TEST(PublisherFilesTest, TrillianTakesTheFirstRedirectOnly) {
    TCatalogueEnvironment machine;
    machine.Server().Get("/www.trillian.im/get/windows/",
                         [](const httplib::Request&, httplib::Response& aResponse) {
                             aResponse.set_redirect("https://www.trillian.im/latest/setup.exe");
                         });
    machine.Server().Get("/www.trillian.im/latest/setup.exe", [](const httplib::Request&,
                                                                 httplib::Response& aResponse) {
        aResponse.set_redirect("https://cerulean.cachenetworks.com/trillian-v6.0.0.9.exe");
    });
    // The first location names no version: nothing found, the second hop is not taken.
    const TBaseSoftware& entry = machine.CheckEntry("Trillian");
    EXPECT_EQ(entry.AvailableVersion(), "");
    EXPECT_EQ(entry.DownloadURL(), "");
}

TEST(PublisherFilesTest, PhysXPageInTheUsersLanguage) {
    TCatalogueEnvironment machine;
    TBaseSoftware& entry = machine.CatalogueEntry("NVIDIA PhysX");
    entry.Init();
    entry.Check(false, lRussian);
    EXPECT_EQ(entry.AvailableVersion(), "9.16.0318");
    EXPECT_EQ(
        entry.DownloadURL(),
        "https://ru.download.nvidia.com/Windows/9.16.0318/PhysX-9.16.0318-SystemSoftware.exe");
    entry.Check(false, lEnglish);
    EXPECT_EQ(
        entry.DownloadURL(),
        "https://us.download.nvidia.com/Windows/9.16.0318/PhysX-9.16.0318-SystemSoftware.exe");
}

TEST(PublisherFilesTest, ThirtyTwoBitSystemsGetTheirInstallers) {
    const std::pair<const char*, const char*> cases[] = {
        {"WinRAR", "https://www.rarlab.com/rar/wrar540.exe"},
        {"Sublime Text",
         "https://download.sublimetext.com/Sublime%20Text%20Build%203126%20Setup.exe"},
        {"Daum PotPlayer",
         "https://t1.daumcdn.net/potplayer/PotPlayer/Version/Latest/PotPlayerSetup.exe"},
    };
    for (const auto& [name, url] : cases) {
        TCatalogueEnvironment machine;
        machine.SetMachine({}, /*aWindows64=*/false);
        EXPECT_EQ(machine.CheckEntry(name).DownloadURL(), url) << name;
    }
}
