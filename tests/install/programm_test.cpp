#include "install/programm.h"

#include "install/file_name.h"
#include "net/http_helpers.h"
#include "support/fake_launcher.h"
#include "support/installer_site.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

namespace brivane::install {
namespace {

using namespace std::chrono_literals;
using test::Served;
using test::TServedFile;

std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& aFolder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(aFolder)) {
        files.push_back(entry.path().filename());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Bodies of this size come in many blocks.
std::string Installer(std::size_t aSize, char aFill = 'i') {
    return std::string(aSize, aFill);
}

class ProgrammTest : public ::testing::Test {
protected:
    // A job for the site's aPath.
    std::unique_ptr<TProgramm> Make(const std::string& aPath, std::int64_t aKnownSize = 0,
                                    std::string aReferer = {}) {
        return MakeFor(fSite.Url(aPath), aKnownSize, "Prog", std::move(aReferer));
    }
    std::unique_ptr<TProgramm> MakeFor(const std::string& aURL, std::int64_t aKnownSize,
                                       const std::string& aName, std::string aReferer = {}) {
        TProgrammOptions options;
        options.StartProgram = fLauncher.Start();
        options.CreateClient = [] {
            auto client = net::CreateDownloadClient();
            client->SetResponseTimeout(500ms);
            return client;
        };
        return std::make_unique<TProgramm>(
            fDir.Path(), aName, TDownloadParams::Create(aURL, std::move(aReferer), aKnownSize),
            std::move(options));
    }

    test::TInstallerSite fSite;
    test::TTempDir fDir;
    test::TFakeLauncher fLauncher;
};

TEST_F(ProgrammTest, NothingIsKnownBeforeInitAndDownloadNeedsIt) {
    fSite.Serve("/a/setup.exe", Served(Installer(100)));
    auto job = Make("/a/setup.exe");
    EXPECT_EQ(job->Size(), -1);
    EXPECT_EQ(job->DownloadSize(), -1);
    EXPECT_EQ(job->DownLoadChunkSize(), -1);
    EXPECT_EQ(job->FileName(), "");
    EXPECT_FALSE(job->Download());
    EXPECT_FALSE(job->Run());
    EXPECT_FALSE(job->WaitRun(0ms));
    EXPECT_EQ(fSite.Requests("GET", "/a/setup.exe"), 0);
    // The temporary file exists from the start, in the folder, and goes with the job.
    EXPECT_EQ(job->TempFile().parent_path(), fDir.Path());
    EXPECT_TRUE(job->TempFile().filename().string().starts_with("Dow"));
    EXPECT_TRUE(std::filesystem::exists(job->TempFile()));
    job.reset();
    EXPECT_TRUE(FilesIn(fDir.Path()).empty());
}

TEST_F(ProgrammTest, InitLearnsNameAndSizeFromEveryKindOfAnswer) {
    struct TCase {
        const char* Name;
        TServedFile File;
        std::int64_t KnownSize;
        const char* FileName;
        std::int64_t Size;
    };
    TServedFile refused = Served(Installer(3000));
    refused.RefuseHead = true;
    TServedFile zeroLength = Served(Installer(10));
    zeroLength.HeadLengthZero = true;
    TServedFile quoted = Served(Installer(10));
    quoted.ContentDisposition = "attachment; filename=\"Real Setup 2.0.exe\"";
    TServedFile unquoted = Served(Installer(10));
    unquoted.ContentDisposition = "attachment; filename=real.exe";
    TServedFile extended = Served(Installer(10));
    extended.ContentDisposition = "attachment; filename*=UTF-8''%D0%A3.exe";
    const TCase cases[] = {
        {"HEAD with length", Served(Installer(3000)), 0, "setup.exe", 3000},
        {"HEAD refused: header-only GET", refused, 0, "setup.exe", 3000},
        {"HEAD length 0: the known size", zeroLength, 777, "setup.exe", 777},
        {"quoted Content-Disposition", quoted, 0, "Real Setup 2.0.exe", 10},
        {"unquoted Content-Disposition", unquoted, 0, "real.exe", 10},
        {"extended Content-Disposition", extended, 0, "У.exe", 10},
    };
    for (const auto& test : cases) {
        fSite.Serve("/a/setup.exe", test.File);
        auto job = Make("/a/setup.exe", test.KnownSize);
        int inits = 0;
        job->SetOnInit([&](TProgramm&) { ++inits; });
        ASSERT_TRUE(job->Init()) << test.Name;
        EXPECT_TRUE(job->isInit()) << test.Name;
        EXPECT_EQ(job->FileName(), test.FileName) << test.Name;
        EXPECT_EQ(job->Size(), test.Size) << test.Name;
        EXPECT_EQ(inits, 1) << test.Name;
    }
}

TEST_F(ProgrammTest, RedirectedAddressGivesTheFinalName) {
    TServedFile redirect;
    redirect.RedirectTo = "/files/tool-3.1.4.exe";
    fSite.Serve("/latest", redirect);
    fSite.Serve("/files/tool-3.1.4.exe", Served(Installer(5000)));
    auto job = Make("/latest");
    ASSERT_TRUE(job->Init());
    EXPECT_EQ(job->FileName(), "tool-3.1.4.exe");
    EXPECT_EQ(job->Size(), 5000);
    // The HEAD met the redirect; the GET that followed it stopped before the body.
    EXPECT_EQ(fSite.Requests("GET", "/files/tool-3.1.4.exe"), 1);
    ASSERT_TRUE(job->Download());
    EXPECT_EQ(test::ReadAll(job->TempFile()), Installer(5000));
}

TEST_F(ProgrammTest, InitFailsWithoutAnswerOrSize) {
    fSite.Serve("/missing.exe", Served(Installer(10), 404));
    TServedFile zeroLength = Served(Installer(10));
    zeroLength.HeadLengthZero = true;
    fSite.Serve("/zero.exe", zeroLength);
    fSite.Serve("/empty.exe", Served(""));
    test::TRawLoopbackServer silent([](int aSocket) {
        test::ReadRequestHead(aSocket);
        test::WaitForPeerToClose(aSocket); // says nothing until the client gives up
    });
    const std::string cases[] = {fSite.Url("/missing.exe"),        fSite.Url("/zero.exe"),
                                 fSite.Url("/empty.exe"),          silent.Url("/setup.exe"),
                                 "http://127.0.0.1:1/refused.exe", "not an address"};
    for (const auto& url : cases) {
        auto job = MakeFor(url, 0, "Prog");
        int inits = 0;
        job->SetOnInit([&](TProgramm&) { ++inits; });
        EXPECT_FALSE(job->Init()) << url;
        EXPECT_FALSE(job->isInit()) << url;
        EXPECT_EQ(job->Size(), -1) << url;
        EXPECT_EQ(inits, 0) << url;
        EXPECT_FALSE(job->Download()) << url;
    }
}

TEST_F(ProgrammTest, HostileFileNamesStayInTheDownloadFolder) {
    struct TCase {
        std::string Disposition;
        std::string Expected;
    };
    const TCase cases[] = {
        {"attachment; filename=\"../../x.exe\"", "x.exe"},
        {"attachment; filename=\"C:\\Windows\\x.exe\"", "x.exe"},
        {"attachment; filename=\"con.exe\"", "_con.exe"},
        {"attachment; filename=\"" + std::string(1000, 'n') + ".exe\"",
         std::string(kMaxFileNameBytes - 4, 'n') + ".exe"},
        {"attachment; filename=\"..\"", "setup.exe"},
    };
    for (const auto& test : cases) {
        TServedFile file = Served("#!/bin/sh\n");
        file.ContentDisposition = test.Disposition;
        fSite.Serve("/get/setup.exe", file);
        auto job = Make("/get/setup.exe");
        ASSERT_TRUE(job->Init()) << test.Expected;
        EXPECT_EQ(job->FileName(), test.Expected);
        ASSERT_TRUE(job->Download()) << test.Expected << ": " << job->Failure();
        ASSERT_TRUE(job->Run());
        EXPECT_EQ(job->TargetFile(), fDir.Path() / test.Expected);
        EXPECT_EQ(FilesIn(fDir.Path()), std::vector<std::filesystem::path>{test.Expected});
        std::filesystem::remove(job->TargetFile());
    }
    const auto started = fLauncher.Started();
    ASSERT_EQ(started.size(), std::size(cases));
    for (const auto& run : started) {
        EXPECT_EQ(run.File.parent_path(), fDir.Path());
    }
}

TEST_F(ProgrammTest, DownloadStreamsTheBodyAndReportsItToTheEnd) {
    const std::string body = Installer(100'000, 'b');
    fSite.Serve("/a/setup.exe", Served(body));
    auto job = Make("/a/setup.exe", 0, "https://example.org/page");
    ASSERT_TRUE(job->Init());
    std::vector<std::int64_t> sizes;
    std::int64_t chunks = 0;
    int downloads = 0;
    job->SetOnDownloadProgress([&](TProgramm& aJob) {
        EXPECT_EQ(aJob.DownloadSize(), -1); // not complete yet
        chunks += aJob.DownLoadChunkSize();
        sizes.push_back(chunks);
    });
    job->SetOnDownload([&](TProgramm&) { ++downloads; });
    ASSERT_TRUE(job->Download());
    EXPECT_TRUE(job->isDownload());
    EXPECT_EQ(downloads, 1);
    EXPECT_EQ(test::ReadAll(job->TempFile()), body);
    EXPECT_EQ(job->DownloadSize(), 100'000);
    ASSERT_GT(sizes.size(), 2u);
    EXPECT_TRUE(std::is_sorted(sizes.begin(), sizes.end()));
    EXPECT_EQ(sizes.back(), 100'000); // the last block is reported too
    EXPECT_EQ(fSite.Requests("GET", "/a/setup.exe"), 1);
}

TEST_F(ProgrammTest, FailedDownloadsLeaveNoFile) {
    fSite.Serve("/gone.exe", Served(Installer(5000)));
    auto gone = Make("/gone.exe");
    ASSERT_TRUE(gone->Init());
    fSite.Serve("/gone.exe", Served(Installer(5000), 404));

    test::TRawLoopbackServer truncating([](int aSocket) {
        test::ReadRequestHead(aSocket);
        test::SendAll(aSocket,
                      "HTTP/1.1 200 OK\r\nContent-Length: 10000\r\n\r\n" + std::string(4000, 't'));
    });
    auto truncated = MakeFor(truncating.Url("/cut.exe"), 10000, "Cut");
    ASSERT_TRUE(truncated->Init()); // a HEAD reads no body: the length is all it needs

    test::TRawLoopbackServer stalling([](int aSocket) {
        test::ReadRequestHead(aSocket);
        test::SendAll(aSocket, "HTTP/1.1 200 OK\r\nContent-Length: 10000\r\n\r\n");
        test::WaitForPeerToClose(aSocket);
    });
    auto stalled = MakeFor(stalling.Url("/stall.exe"), 0, "Stall");
    ASSERT_TRUE(stalled->Init());

    for (auto* job : {gone.get(), truncated.get(), stalled.get()}) {
        EXPECT_FALSE(job->Download()) << job->Name();
        EXPECT_FALSE(job->isDownload()) << job->Name();
        EXPECT_EQ(job->DownloadSize(), -1) << job->Name();
        EXPECT_FALSE(std::filesystem::exists(job->TempFile())) << job->Name();
        EXPECT_FALSE(job->Run()) << job->Name();
    }
    EXPECT_TRUE(FilesIn(fDir.Path()).empty());
    EXPECT_TRUE(fLauncher.Started().empty());
}

TEST_F(ProgrammTest, CancelStopsTheDownloadAndRemovesTheFile) {
    fSite.Serve("/big.exe", Served(Installer(2'000'000)));
    auto job = Make("/big.exe");
    ASSERT_TRUE(job->Init());
    int reports = 0;
    job->SetOnDownloadProgress([&](TProgramm& aJob) {
        if (++reports == 3) {
            aJob.CancelDownload();
        }
    });
    int downloads = 0;
    job->SetOnDownload([&](TProgramm&) { ++downloads; });
    EXPECT_FALSE(job->Download());
    EXPECT_EQ(reports, 3); // nothing reported after the cancel
    EXPECT_EQ(downloads, 1);
    EXPECT_FALSE(std::filesystem::exists(job->TempFile()));
    // A cancelled job stays cancelled: a later download does not even start.
    EXPECT_FALSE(job->Download());
    EXPECT_EQ(fSite.Requests("GET", "/big.exe"), 1);
}

TEST_F(ProgrammTest, RunPutsTheInstallerInPlaceAndStartsItOnce) {
    fSite.Serve("/a/setup.exe", Served("new installer"));
    fDir.Write("setup.exe", "old installer of the same name");
    auto job = Make("/a/setup.exe");
    int runs = 0;
    int closes = 0;
    job->SetOnRun([&](TProgramm&) {
        ++runs;
        throw std::runtime_error("a failing handler changes nothing");
    });
    job->SetOnClose([&](TProgramm&) { ++closes; });
    ASSERT_TRUE(job->Init());
    ASSERT_TRUE(job->Download());
    ASSERT_TRUE(job->Run());
    EXPECT_TRUE(job->isRunning());
    EXPECT_TRUE(job->Run()); // already running: nothing started
    const auto started = fLauncher.Started();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].File, fDir.Path() / "setup.exe");
    EXPECT_EQ(started[0].Bytes, "new installer");
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(std::filesystem::exists(job->TempFile()));

    EXPECT_FALSE(job->WaitRun(0ms)); // still running
    EXPECT_EQ(closes, 0);
    started[0].Process->End();
    EXPECT_TRUE(job->WaitRun(platform::kWaitForever));
    EXPECT_TRUE(job->WaitRun(0ms));
    EXPECT_EQ(closes, 2);
    job.reset();
    // The installer stays for the user; nothing else is left.
    EXPECT_EQ(FilesIn(fDir.Path()), std::vector<std::filesystem::path>{"setup.exe"});
}

TEST_F(ProgrammTest, RunFailsWhenTheInstallerCannotStart) {
    fSite.Serve("/a/setup.exe", Served("installer"));
    auto job = Make("/a/setup.exe");
    ASSERT_TRUE(job->Init());
    ASSERT_TRUE(job->Download());
    fLauncher.Refuse("no program opens it");
    int runs = 0;
    job->SetOnRun([&](TProgramm&) { ++runs; });
    EXPECT_FALSE(job->Run());
    EXPECT_EQ(job->Failure(), "Cannot start the installer: no program opens it");
    EXPECT_FALSE(job->isRunning());
    EXPECT_FALSE(job->WaitRun(0ms));
    EXPECT_EQ(runs, 0);
}

} // namespace
} // namespace brivane::install
