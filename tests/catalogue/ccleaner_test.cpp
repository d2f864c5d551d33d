#include "support/catalogue_environment.h"
#include "support/pe_samples.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

namespace {

// The publisher's update service and download page, answering what the test sets.
class CCleanerTest : public ::testing::Test {
protected:
    void SetUp() override {
        Serve(SiteFixture("www.piriform.com/auto@p=cc"),
              SiteFixture("www.piriform.com/ccleaner/download/standard"));
    }

    void Serve(std::string aAnswer, std::string aDownloadPage) {
        fMachine.ServeText("/www.piriform.com/auto", std::move(aAnswer), "text/plain");
        fMachine.ServeText("/www.piriform.com/ccleaner/download/standard",
                           std::move(aDownloadPage));
    }

    TBaseSoftware& Checked() { return fMachine.CheckEntry("CCleaner"); }

    // An executable whose file version is 5.21.0.5700 (product version 5.21).
    static std::string Executable() {
        TVersionBlockOptions version;
        version.FileVersionMS = 0x00050015;
        version.FileVersionLS = 0x00001644;
        version.ProductVersionMS = 0x00050015;
        TPeFileOptions options;
        options.Resources = {
            {std::uint16_t{16}, std::uint16_t{1}, 0x0409, BuildVersionBlock(version)}};
        return BuildPeFile(options).Bytes;
    }

    TCatalogueEnvironment fMachine;
};

} // namespace

TEST_F(CCleanerTest, VersionFromTheServiceAndInstallerFromTheDownloadPage) {
    const TBaseSoftware& entry = Checked();
    EXPECT_EQ(entry.AvailableVersion(), "5.21.0.5700"); // three parts: 0 is the third
    EXPECT_EQ(entry.DownloadURL(), "https://download.ccleaner.com/ccsetup521.exe");
    EXPECT_EQ(entry.Info().Category(), scSystem);
}

TEST_F(CCleanerTest, ServiceAnswers) {
    struct TCase {
        const char* Answer;
        const char* Version;
    };
    const TCase cases[] = {
        {"$$$|1027|5.21.3.5700|ccsetup521.exe|", "5.21.3.5700"},
        {"$$$|1|5.21.5700|", "5.21.0.5700"},
        {"$$$|1|5.21.5700", ""},   // truncated
        {"$$$|1|5.21|", ""},       // too few parts
        {"$$$||5.21.5700|", ""},   // no build
        {" $$$|1|5.21.5700|", ""}, // not at the start
        {"", ""},
        {"<html><body>Maintenance</body></html>", ""},
    };
    for (const auto& c : cases) {
        Serve(c.Answer, SiteFixture("www.piriform.com/ccleaner/download/standard"));
        EXPECT_EQ(Checked().AvailableVersion(), c.Version) << c.Answer;
    }
}

TEST_F(CCleanerTest, DownloadPages) {
    struct TCase {
        const char* Page;
        const char* URL;
    };
    const TCase cases[] = {
        {R"(<a href="/ccleaner/download/ccsetup.exe">start the download</a>)",
         "https://www.piriform.com/ccleaner/download/ccsetup.exe"},
        {R"(<a href="//dl.example/cc.exe" >  please start   the download</a>)",
         "https://dl.example/cc.exe"}, // the page's scheme, not plain HTTP
        {R"(<a href="https://a.example/cc.exe">Start the download</a>)", ""}, // letter case
        {R"(<a href="https://a.example/cc.exe"><b>start the download</b></a>)", ""},
        {R"(<a href="https://a.example/cc.exe">start the)", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        Serve(SiteFixture("www.piriform.com/auto@p=cc"), c.Page);
        EXPECT_EQ(Checked().DownloadURL(), c.URL) << c.Page;
    }
}

TEST_F(CCleanerTest, InstalledVersionIsTheFileVersionOfTheProgram) {
    struct TCase {
        const char* InstallLocation;
        const char* Version;
    };
    const TCase cases[] = {
        {"C:\\Program Files\\CCleaner", "5.21.0.5700"},
        {"C:\\Program Files\\CCleaner\\", "5.21.0.5700"},
        {"c:\\program files\\ccleaner", "5.21.0.5700"},
        {"C:\\Missing", "5.21"}, // no file: the inventory's version
        {"", "5.21"},
        {"C:\\Other", ""}, // a file without a version resource
    };
    for (const auto& c : cases) {
        TCatalogueEnvironment machine;
        machine.WriteDriveFile("Program Files/CCleaner/CCleaner.exe", Executable());
        machine.WriteDriveFile("Other/CCleaner.exe", "not an executable");
        machine.SetMachine({{"CCleaner", "CCleaner", "5.21", "", c.InstallLocation}});
        TBaseSoftware& entry = machine.CatalogueEntry("CCleaner");
        entry.Init();
        EXPECT_EQ(entry.CurrentVersion(), c.Version) << c.InstallLocation;
    }
}
