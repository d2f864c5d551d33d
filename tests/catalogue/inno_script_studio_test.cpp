// The installer's date and size asked as the program's own updater asks: one HEAD
// request under its user agent, nothing else.

#include "support/catalogue_environment.h"

#include <gtest/gtest.h>

#include <mutex>

using namespace brivane;
using namespace brivane::test;

namespace {

constexpr const char* kInstallerPath = "/www.kymoto.org/downloads/ISStudio_Latest.exe";

class InnoScriptStudioTest : public ::testing::Test {
protected:
    struct TAnswer {
        bool RefuseHead = false;
        bool Redirect = false;
        std::string LastModified = "Sun, 14 Aug 2016 09:30:00 GMT";
    };

    void SetUp() override {
        fMachine.Server().Get(kInstallerPath, [this](const httplib::Request& aRequest,
                                                     httplib::Response& aResponse) {
            const std::lock_guard lock(fLock);
            fRequests.push_back(aRequest.method + " " + aRequest.get_header_value("User-Agent") +
                                (aRequest.has_header("Accept-Language") ? " +headers" : ""));
            if (fAnswer.RefuseHead && aRequest.method == "HEAD") {
                aResponse.status = 405;
                return;
            }
            if (fAnswer.Redirect) {
                aResponse.set_redirect("https://www.kymoto.org/downloads/ISStudio_2.5.1.exe");
                return;
            }
            if (!fAnswer.LastModified.empty()) {
                aResponse.set_header("Last-Modified", fAnswer.LastModified);
            }
            aResponse.set_content(std::string(5000, 'x'), "application/octet-stream");
        });
    }

    TBaseSoftware& Check(TAnswer aAnswer) {
        {
            const std::lock_guard lock(fLock);
            fAnswer = std::move(aAnswer);
            fRequests.clear();
        }
        return fMachine.CheckEntry("Inno Script Studio");
    }

    std::vector<std::string> Requests() {
        const std::lock_guard lock(fLock);
        return fRequests;
    }

    std::mutex fLock;
    TAnswer fAnswer;
    std::vector<std::string> fRequests;
    TCatalogueEnvironment fMachine;
};

} // namespace

TEST_F(InnoScriptStudioTest, VersionAndInstallerFromTheDownloadsTable) {
    const TBaseSoftware& entry = Check({});
    EXPECT_EQ(entry.AvailableVersion(), "2.5.1");
    EXPECT_EQ(entry.DownloadURL(), "https://www.kymoto.org/downloads/ISStudio_Latest.exe");
    EXPECT_EQ(entry.Size(), 5000);
    EXPECT_EQ(entry.UpdateDate(), UnixToLocalDateTime(1471167000));
    EXPECT_EQ(Requests(), std::vector<std::string>{"HEAD TWebUpdate"});
}

TEST_F(InnoScriptStudioTest, OnlyAHeadAnswerCounts) {
    struct TCase {
        const char* What;
        TAnswer Answer;
        std::int64_t Size;
        TDateTime Date;
    };
    const TCase cases[] = {
        {"HEAD refused", {.RefuseHead = true}, 0, kZeroDate}, // no GET in its place
        {"no date", {.LastModified = ""}, 5000, kZeroDate},
        {"a date that does not parse", {.LastModified = "yesterday"}, 5000, kZeroDate},
        {"redirected", {.Redirect = true}, 0, kZeroDate}, // a HEAD is not followed
    };
    for (const auto& c : cases) {
        const TBaseSoftware& entry = Check(c.Answer);
        EXPECT_EQ(entry.AvailableVersion(), "2.5.1") << c.What;
        EXPECT_EQ(entry.Size(), c.Size) << c.What;
        EXPECT_EQ(entry.UpdateDate(), c.Date) << c.What;
        const auto requests = Requests();
        ASSERT_EQ(requests.size(), 1u) << c.What;
        EXPECT_EQ(requests[0], "HEAD TWebUpdate") << c.What;
    }
}

TEST_F(InnoScriptStudioTest, TheInstalledCopyIsTheFirstNamedLikeTheProgram) {
    struct TCase {
        const char* Name;
        bool Installed;
    };
    const TCase cases[] = {
        {"Inno Script Studio", true},           {"Inno Script Studio 2.5.1", true},
        {"inno  script studio", false}, // letter case counts
        {"Inno Script Studio Portable", false}, {"Inno Setup version 5.5.9", false},
    };
    for (const auto& c : cases) {
        TCatalogueEnvironment machine;
        machine.SetMachine({{"k", c.Name, "2.5", "", ""}});
        TBaseSoftware& entry = machine.CatalogueEntry("Inno Script Studio");
        entry.Init();
        EXPECT_EQ(entry.IsInstalled(), c.Installed) << c.Name;
    }
}
