// Why a catalogue entry's check found nothing, told by the first cause its trace saw:
// 7-Zip against a publisher's site that refuses connections, has lost its page, or
// changed it; and the steps of a check in order, for a maintainer.

#include "catalogue/base_software.h"
#include "support/catalogue_environment.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

using namespace brivane;
using namespace brivane::test;

namespace {

// The beginning of the pattern 7-Zip's release is read with.
constexpr const char* kReleasePattern = ">\\s*?Download\\s+?7-Zip\\s+?([\\d.]+)\\s+?\\\xE2\x80\xA6";

const TTracedRequest& FirstRequest(const TBaseSoftware& aEntry) {
    return std::get<TTracedRequest>(aEntry.LastCheck().Steps().at(0));
}

TEST(CheckProblemTest, TheFirstCauseOfACheckThatFoundNothing) {
    const struct {
        const char* Name;
        std::function<void(TCatalogueEnvironment&)> Site;
        TCheckProblem::TKind Kind;
        // The problem's text, given the address of the check's first request.
        std::function<std::string(const std::string&)> Text;
    } cases[] = {
        {"refused", [](TCatalogueEnvironment& aSite) { aSite.RefuseConnections(); },
         TCheckProblem::Connection,
         [](const std::string&) { return std::string("Could not connect to 127.0.0.1:1: "); }},
        {"page gone",
         [](TCatalogueEnvironment& aSite) {
             aSite.Server().Get("/www.7-zip.org/",
                                [](const httplib::Request&, httplib::Response& aResponse) {
                                    aResponse.status = 404;
                                });
         },
         TCheckProblem::HttpStatus,
         [](const std::string& aPage) { return "HTTP 404 Not Found from " + aPage; }},
        {"page changed",
         [](TCatalogueEnvironment& aSite) {
             aSite.ServeText("/www.7-zip.org/", "<html>Our downloads moved.</html>");
         },
         TCheckProblem::PatternMissed,
         [](const std::string& aPage) {
             return std::string("The pattern \"") + kReleasePattern + "\" did not match the page " +
                    aPage;
         }},
    };
    for (const auto& test : cases) {
        TCatalogueEnvironment site;
        test.Site(site);
        site.CatalogueEntry("7-Zip").SetTraceSteps(true);
        const TBaseSoftware& entry = site.CheckEntry("7-Zip");
        ASSERT_EQ(entry.AvailableVersion(), "") << test.Name;
        const std::string page = FirstRequest(entry).Address;
        EXPECT_TRUE(page.ends_with("/www.7-zip.org/")) << test.Name << ": " << page;
        const TCheckProblem problem = entry.Problem();
        EXPECT_EQ(problem.Kind, test.Kind) << test.Name;
        const std::string text = DescribeProblem(problem);
        const std::string expected = test.Text(page);
        if (problem.Kind == TCheckProblem::Connection) {
            // Followed by the transport's own words.
            EXPECT_TRUE(text.starts_with(expected) && text.size() > expected.size()) << text;
        } else {
            EXPECT_EQ(text, expected) << test.Name;
        }
        EXPECT_EQ(entry.MakeProgramInfo().Problem, problem) << test.Name;
    }
}

TEST(CheckProblemTest, AFoundVersionOrAFreshInitHasNoProblem) {
    TCatalogueEnvironment site;
    TBaseSoftware& entry = site.CheckEntry("7-Zip");
    ASSERT_EQ(entry.AvailableVersion(), "16.02");
    EXPECT_EQ(entry.Problem().Kind, TCheckProblem::None);

    site.RefuseConnections();
    entry.Check(false, lEnglish);
    EXPECT_EQ(entry.Problem().Kind, TCheckProblem::Connection);
    entry.Init();
    EXPECT_EQ(entry.Problem().Kind, TCheckProblem::None); // not checked since
    EXPECT_EQ(entry.MakeProgramInfo().Problem.Kind, TCheckProblem::None);
}

TEST(CheckProblemTest, TheStepsOfACheckInOrder) {
    TCatalogueEnvironment site;
    site.CatalogueEntry("7-Zip").SetTraceSteps(true);
    const TBaseSoftware& entry = site.CheckEntry("7-Zip");
    ASSERT_EQ(entry.AvailableVersion(), "16.02");
    const auto& steps = entry.LastCheck().Steps();
    ASSERT_EQ(steps.size(), 4u);
    const auto& page = std::get<TTracedRequest>(steps[0]);
    EXPECT_EQ(page.Method, "GET");
    EXPECT_TRUE(page.Address.ends_with("/www.7-zip.org/")) << page.Address;
    EXPECT_EQ(page.Status, 200);
    EXPECT_GT(page.Bytes, 0); // as it came: the server compresses pages
    const auto& release = std::get<TTracedPattern>(steps[1]);
    EXPECT_EQ(release.Pattern, kReleasePattern);
    EXPECT_TRUE(release.Matched);
    EXPECT_TRUE(std::get<TTracedPattern>(steps[2]).Matched); // the 64-bit installer's link
    const auto& installer = std::get<TTracedRequest>(steps[3]);
    EXPECT_EQ(installer.Method, "HEAD");
    EXPECT_TRUE(installer.Address.ends_with("/www.7-zip.org/a/7z1602-x64.exe"))
        << installer.Address;
    EXPECT_EQ(installer.Status, 200);
}

// An entry whose definition breaks.
class TBrokenSoftware final : public TBaseSoftware {
public:
    TBrokenSoftware() : TBaseSoftware("Broken", scSystem) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams&) override {
        throw std::runtime_error("unexpected page");
    }
};

TEST(CheckProblemTest, AnErrorThatEndsTheCheckIsItsCause) {
    TCatalogueEnvironment site;
    auto& entry = site.Register(std::make_unique<TBrokenSoftware>());
    entry.Init();
    entry.Check(false, lEnglish);
    EXPECT_EQ(DescribeProblem(entry.Problem()), "The check stopped: unexpected page");
}

} // namespace
