// Entries that read a machine-readable answer of their publisher: Foxit Reader's JSON
// download service and the XML update files of the Delphi IDE tools. Whatever the
// answer, the entry finds a version only in one of the expected shape.

#include "support/catalogue_environment.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

namespace {

constexpr const char* kFoxitService = "/www.foxitsoftware.com/downloads/downloadForm.php";
constexpr const char* kFoxitInstaller = "https://cdn.example/FoxitReader802_enu_Setup.exe";
constexpr const char* kThemeEditorFile =
    "/raw.githubusercontent.com/RRUZ/delphi-ide-theme-editor/master/Update/Version.xml";

} // namespace

TEST(UpdateAnswerEntriesTest, FoxitReaderReadsOnlyAnObjectWithItsPackage) {
    struct TCase {
        const char* Answer;
        const char* Version;
        const char* URL;
    };
    const TCase cases[] = {
        {R"({"package_info": {"version": "8.0.2.805", "down": "https://cdn.example/FoxitReader802_enu_Setup.exe"}})",
         "8.0.2.805", kFoxitInstaller},
        {R"({"package_info": {"version": "8.0.2.805"}})", "8.0.2.805", ""},
        {R"({"package_info": {"version": null, "down": "https://cdn.example/FoxitReader802_enu_Setup.exe"}})",
         "", kFoxitInstaller},
        {R"({"package_info": {"version": "8.0.2.805", "down": )", "", ""}, // cut off
        {R"([{"package_info": {"version": "8.0.2.805"}}])", "", ""},
        {R"({"result": -1})", "", ""},
        {R"({"package_info": "8.0.2.805"})", "", ""},
        {R"({"package_info": {"version": {"major": 8}}})", "", ""}, // not a text: the check ends
        {"<html><body>Service unavailable</body></html>", "", ""},
    };
    for (const auto& c : cases) {
        TCatalogueEnvironment machine;
        machine.ServeText(kFoxitService, c.Answer, "application/json");
        const TBaseSoftware& entry = machine.CheckEntry("Foxit Reader");
        EXPECT_EQ(entry.AvailableVersion(), c.Version) << c.Answer;
        EXPECT_EQ(entry.DownloadURL(), c.URL) << c.Answer;
    }
}

TEST(UpdateAnswerEntriesTest, DelphiIDEToolsReadOnlyAWholeUpdateFile) {
    const std::string file = SiteFixture(std::string(kThemeEditorFile).substr(1));
    const std::string installer =
        "https://github.com/RRUZ/delphi-ide-theme-editor/releases/download/v1.1.20/DITE_Setup.exe";
    struct TCase {
        const char* Name;
        std::string Answer;
        const char* Version;
        std::string URL;
    };
    const TCase cases[] = {
        {"the file", file, "1.1.20.0", installer},
        {"cut inside the version", file.substr(0, file.find("1.1.20.0") + 4), "", ""},
        {"cut before the address", file.substr(0, file.find("<Url>") + 8), "1.1.20.0", ""},
        {"a relative address", "<Version>1.1.20.0</Version><Url>/RRUZ/d/DITE_Setup.exe</Url>",
         "1.1.20.0", "https://github.com/RRUZ/d/DITE_Setup.exe"},
        {"a version that is no number", "<Version>latest</Version><Url>x.exe</Url>", "", ""},
        {"too long to be an update file", file + std::string(70 * 1024, ' '), "", ""},
    };
    for (const auto& c : cases) {
        TCatalogueEnvironment machine;
        machine.ServeText(kThemeEditorFile, c.Answer, "text/xml");
        const TBaseSoftware& entry = machine.CheckEntry("Delphi IDE Theme Editor");
        EXPECT_EQ(entry.AvailableVersion(), c.Version) << c.Name;
        EXPECT_EQ(entry.DownloadURL(), c.URL) << c.Name;
    }
}
