// Entries whose installer depends on the machine or the user: the interface language
// (Firefox, Adobe Reader), the system's name, version and architecture (Adobe Reader,
// OpenVPN), and the web services and feeds they read.

#include "catalogue/installed_system.h"
#include "support/catalogue_environment.h"

#include <gtest/gtest.h>

#include <mutex>

using namespace brivane;
using namespace brivane::test;

namespace {

// The machine of a catalogue environment with other system facts.
class TOtherSystem final : public ICatalogueContext {
public:
    TOtherSystem(ICatalogueContext& aMachine, TOSInformation aSystem, bool aWindows64)
        : fMachine(aMachine), fSystem(std::move(aSystem)), fWindows64(aWindows64) {}

    std::vector<TApplicationItem> GetApplicationsByName(std::string_view aName) const override {
        return fMachine.GetApplicationsByName(aName);
    }
    TApplicationArray GetInstalledApplications() const override {
        return fMachine.GetInstalledApplications();
    }
    void ReplaceInstalledApplication(const TApplicationArray& aSnapshot, std::size_t aIndex,
                                     const TApplicationItem& aItem) override {
        fMachine.ReplaceInstalledApplication(aSnapshot, aIndex, aItem);
    }
    bool IsWindows64() const override { return fWindows64; }
    TOSInformation SystemInfo() const override { return fSystem; }
    std::shared_ptr<const platform::IRegistry> Registry() const override {
        return fMachine.Registry();
    }
    platform::TWindowsPathResolver Files() const override { return fMachine.Files(); }

private:
    ICatalogueContext& fMachine;
    TOSInformation fSystem;
    bool fWindows64;
};

TOSInformation System(const char* aName, const char* aVersion, const char* aServicePack = "") {
    TOSInformation system;
    system.fName = aName;
    system.fVersion = aVersion;
    system.fServicePack = aServicePack;
    return system;
}

} // namespace

TEST(FirefoxTest, TheInterfaceLanguagePicksTheInstaller) {
    TCatalogueEnvironment machine;
    TBaseSoftware& entry = machine.CatalogueEntry("Firefox");
    entry.Init();
    for (const auto& [language, code] :
         {std::pair{lEnglish, "en-US"}, std::pair{lDefault, "en-US"}, std::pair{lRussian, "ru"}}) {
        entry.Check(false, language);
        EXPECT_EQ(entry.AvailableVersion(), "47.0.1") << code;
        EXPECT_EQ(
            entry.DownloadURL(),
            std::string("https://download.mozilla.org/?product=firefox-47.0.1-SSL&os=win&lang=") +
                code);
        EXPECT_EQ(entry.Size(), kFixtureInstallerSize) << code; // through the redirect
    }
}

TEST(FirefoxTest, OnlyTheWindowsCellOfTheLanguageCounts) {
    TCatalogueEnvironment machine;
    machine.ServeText(
        "/www.mozilla.org/en-US/firefox/all/",
        R"(<td class="download win64"><a href="https://d.example/?product=firefox-48.0&amp;os=win64&amp;lang=en-US">)"
        R"(<td class="download win"><a href="https://d.example/?product=firefox-47.0&amp;os=win&amp;lang=en-GB">)"
        R"(<td class="download win"><a href="https://d.example/?product=firefox-47.0.1&amp;os=win&amp;lang=en-US">)");
    const TBaseSoftware& entry = machine.CheckEntry("Firefox");
    EXPECT_EQ(entry.AvailableVersion(), "47.0.1");
    EXPECT_EQ(entry.DownloadURL(), "https://d.example/?product=firefox-47.0.1&os=win&lang=en-US");
}

namespace {

// Adobe's web service, recording the queries and headers it is asked with.
class AdobeReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        fMachine.Server().Get(
            "/get.adobe.com/reader/webservices/json/standalone/",
            [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
                std::lock_guard lock(fLock);
                fSystems.push_back(aRequest.get_param_value("platform_dist"));
                fLanguages.push_back(aRequest.get_param_value("language"));
                fRequestedWith = aRequest.get_header_value("X-Requested-With");
                aResponse.set_content(fAnswer, "application/json");
            });
    }

    void Answer(std::string aAnswer) {
        std::lock_guard lock(fLock);
        fAnswer = std::move(aAnswer);
    }

    TBaseSoftware& Entry() {
        TBaseSoftware& entry = fMachine.CatalogueEntry("Adobe Reader");
        entry.Init();
        return entry;
    }

    std::mutex fLock;
    std::string fAnswer = R"([{"Version": "11.0.16", "download_url": "https://a.example/r.exe"}])";
    std::vector<std::string> fSystems;
    std::vector<std::string> fLanguages;
    std::string fRequestedWith;
    TCatalogueEnvironment fMachine;
};

} // namespace

TEST_F(AdobeReaderTest, TheSystemAndLanguageAsTheServiceNamesThem) {
    struct TCase {
        TOSInformation System;
        bool Windows64;
        const char* Name;
    };
    const TCase cases[] = {
        {System("Windows 10", "10.0.19045"), true, "Windows 10"},
        {System("Windows 8.1", "6.3.9600"), true, "Windows 8"},
        {System("Windows XP", "5.1.2600", "3.0"), false, "Windows XP SP3"},
        {System("Windows XP", "5.2.3790", "2.0"), true, "Windows XP SP2 (64-bit)"},
        {System("Windows XP", "5.1.2600", "2.0"), false, "Windows XP"},
    };
    TBaseSoftware& entry = Entry();
    for (const auto& c : cases) {
        TOtherSystem system(fMachine.System(), c.System, c.Windows64);
        entry.SetContext(system);
        entry.Check(false, lRussian);
        EXPECT_EQ(entry.AvailableVersion(), "11.0.16") << c.Name;
        entry.SetContext(fMachine.System());
    }
    entry.Check(false, lEnglish);
    std::lock_guard lock(fLock);
    ASSERT_EQ(fSystems.size(), std::size(cases) + 1);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(fSystems[i], cases[i].Name);
        EXPECT_EQ(fLanguages[i], "Russian");
    }
    EXPECT_EQ(fLanguages.back(), "English");
    EXPECT_EQ(fRequestedWith, "XMLHttpRequest");
}

TEST_F(AdobeReaderTest, TheHighestVersionOfTheAnswer) {
    struct TCase {
        const char* Answer;
        const char* Version;
        const char* URL;
    };
    const TCase cases[] = {
        {R"([{"Version": "11.0.10", "download_url": "https://a.example/10.exe"},
             {"Version": "11.0.16", "download_url": "https://a.example/16.exe"},
             {"Version": "11.0.9", "download_url": "https://a.example/9.exe"}])",
         "11.0.16", "https://a.example/16.exe"},
        {R"([{"Version": "11.0.16", "download_url": "https://a.example/first.exe"},
             {"Version": "11.0.16", "download_url": "https://a.example/second.exe"}])",
         "11.0.16", "https://a.example/first.exe"}, // a tie keeps the first
        {R"([{"download_url": "https://a.example/x.exe"}, 7, null,
             {"Version": "11.0.16"}])",
         "11.0.16", ""},
        {R"({"Version": "11.0.16", "download_url": "https://a.example/16.exe"})", "", ""},
        {R"([{"Version": "11.0.16", "download_url": )", "", ""}, // cut off
        {"[]", "", ""},
        {R"([{"Version": {"major": 11}}])", "", ""}, // not a text: the check ends
    };
    TBaseSoftware& entry = Entry();
    for (const auto& c : cases) {
        Answer(c.Answer);
        entry.Check(false, lEnglish);
        EXPECT_EQ(entry.AvailableVersion(), c.Version) << c.Answer;
        EXPECT_EQ(entry.DownloadURL(), c.URL) << c.Answer;
    }
}

TEST(OpenVPNTest, TheSystemPicksTheInstaller) {
    const std::string releases = "https://swupdate.openvpn.org/community/releases/";
    struct TCase {
        TOSInformation System;
        bool Windows64;
        std::string File;
    };
    const TCase cases[] = {
        {System("Windows 10", "10.0.19045"), true, "openvpn-install-2.3.11-I601-x86_64.exe"},
        {System("Windows 7", "6.1.7601", "1.0"), false, "openvpn-install-2.3.11-I601-i686.exe"},
        {System("Windows XP", "5.1.2600", "3.0"), false, "openvpn-install-2.3.11-I001-i686.exe"},
        {System("Windows XP", "5.2.3790", "2.0"), true, "openvpn-install-2.3.11-I001-x86_64.exe"},
    };
    TCatalogueEnvironment machine;
    TBaseSoftware& entry = machine.CatalogueEntry("OpenVPN");
    entry.Init();
    for (const auto& c : cases) {
        TOtherSystem system(machine.System(), c.System, c.Windows64);
        entry.SetContext(system);
        entry.Check(false, lEnglish);
        EXPECT_EQ(entry.AvailableVersion(), "2.3.11") << c.File;
        EXPECT_EQ(entry.DownloadURL(), releases + c.File);
        entry.SetContext(machine.System());
    }
}

TEST(OpenVPNTest, TheInstalledVersionWithoutItsBuild) {
    for (const auto& [recorded, expected] :
         {std::pair{"2.3.10-I603", "2.3.10"}, std::pair{"2.3.10", "2.3.10"},
          std::pair{"I603", "I603"}, std::pair{"", ""}}) {
        TCatalogueEnvironment machine;
        machine.SetMachine({{"OpenVPN", "OpenVPN 2.3.10-I603 ", recorded, "", ""}});
        TBaseSoftware& entry = machine.CatalogueEntry("OpenVPN");
        entry.Init();
        EXPECT_TRUE(entry.IsInstalled());
        EXPECT_EQ(entry.CurrentVersion(), expected) << recorded;
    }
}

TEST(YandexBrowserTest, TheFeedAndTheBrowserUnderEitherName) {
    for (const char* name : {"Yandex", "Яндекс"}) {
        TCatalogueEnvironment machine;
        machine.SetMachine({{"YandexBrowser", name, "16.6.1.30117", "", ""},
                            {"Other", "Yandex.Disk", "1.0", "", ""}});
        const TBaseSoftware& entry = machine.CheckEntry("Yandex Browser");
        EXPECT_EQ(entry.CurrentVersion(), "16.6.1.30117") << name;
        EXPECT_EQ(entry.AvailableVersion(), "16.7.1.20937");
        EXPECT_EQ(entry.DownloadURL(),
                  "https://download.cdn.yandex.net/browser/yandex/en/Yandex.exe");
    }
}
