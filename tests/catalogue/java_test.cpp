// Java: the manual download page, read as a desktop browser, gives the version in the
// form the installed runtime reports it.

#include "support/catalogue_environment.h"

#include <gtest/gtest.h>

#include <mutex>

using namespace brivane;
using namespace brivane::test;

namespace {

constexpr const char* kOffline =
    "<a title=\"Offline\" href=\"https://javadl.oracle.com/offline32\">\nWindows Offline</a>\n"
    "<a title=\"Offline\" href=\"/offline64\">\nWindows Offline (64-bit)</a>\n";

std::string ManualPage(const std::string& aHeading) {
    return "<h4 class=\"sub\">" + aHeading + "</h4>\n" + kOffline;
}

} // namespace

TEST(JavaTest, VersionInTheInstalledRuntimesForm) {
    struct TCase {
        std::string Heading;
        const char* Version;
    };
    const TCase cases[] = {
        {"Recommended Version 8 Update 101", "8.0.1010"},
        {"Recommended Version 8 Update 5", "8.0.050"},
        {"Recommended Version 9 Update 0", "9.0.000"},
        {"Recommended Version 8 Update 99999999999999999999", ""}, // too large to be one
        {"Recommended Version 8", ""},
        {"Version 8 Update 101", ""},
    };
    for (const TCase& c : cases) {
        TCatalogueEnvironment machine;
        machine.ServeText("/www.java.com/en/download/manual.jsp", ManualPage(c.Heading));
        const TBaseSoftware& entry = machine.CheckEntry("Java");
        EXPECT_EQ(entry.AvailableVersion(), c.Version) << c.Heading;
        EXPECT_EQ(entry.DownloadURL(), *c.Version ? "https://javadl.oracle.com/offline32" : "")
            << c.Heading;
    }
}

TEST(JavaTest, EachEditionItsInstallerAskedForAsADesktopBrowser) {
    TCatalogueEnvironment machine;
    std::mutex lock;
    std::vector<std::string> agents;
    machine.Server().Get("/www.java.com/en/download/manual.jsp",
                         [&](const httplib::Request& aRequest, httplib::Response& aResponse) {
                             const std::lock_guard guard(lock);
                             agents.push_back(aRequest.get_header_value("User-Agent"));
                             aResponse.set_content(ManualPage("Recommended Version 8 Update 101"),
                                                   "text/html");
                         });
    EXPECT_EQ(machine.CheckEntry("Java").DownloadURL(), "https://javadl.oracle.com/offline32");
    EXPECT_EQ(machine.CheckEntry("Java x64").DownloadURL(), "https://www.java.com/offline64");
    const std::lock_guard guard(lock);
    ASSERT_EQ(agents.size(), 2u);
    for (const std::string& agent : agents) {
        EXPECT_TRUE(agent.starts_with("Mozilla/5.0 (Windows NT 6.2; WOW64)")) << agent;
    }
}
