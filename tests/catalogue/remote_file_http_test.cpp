// The remote probe over HTTP range requests against loopback servers.

#include "catalogue/remote_file_info.h"
#include "support/loopback_server.h"
#include "support/pe_samples.h"

#include <gtest/gtest.h>

#include <mutex>

using namespace brivane;
using namespace brivane::test;

namespace {

constexpr const char* kBinary = "application/octet-stream";

class RemoteFileHttpTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& s = fServer.Server();
        s.Get("/setup.exe", [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
            Record(aRequest);
            aResponse.set_content(fFile, kBinary); // the server answers the range
        });
        s.Get("/streamed.exe",
              [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
                  Record(aRequest);
                  // A generated body: the server sends all of it, whatever the range.
                  aResponse.set_chunked_content_provider(
                      kBinary, [this](std::size_t aOffset, httplib::DataSink& aSink) {
                          if (aOffset < fFile.size()) {
                              aSink.write(fFile.data() + aOffset,
                                          std::min<std::size_t>(4096, fFile.size() - aOffset));
                          } else {
                              aSink.done();
                          }
                          return true;
                      });
              });
        s.Get("/missing.exe",
              [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
                  Record(aRequest);
                  aResponse.status = 404;
                  aResponse.set_content("MZ no such file", kBinary);
              });
        s.Get("/latest", [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
            Record(aRequest);
            aResponse.set_redirect("/setup.exe", 302);
        });
        fServer.Start();
    }

    void Record(const httplib::Request& aRequest) {
        const std::lock_guard lock(fMutex);
        fRanges.push_back(aRequest.get_header_value("Range"));
    }

    std::vector<std::string> Ranges() {
        const std::lock_guard lock(fMutex);
        return fRanges;
    }

    const std::string fFile = BuildPeFile(SampleProgram(true)).Bytes;
    TLoopbackServer fServer;
    std::mutex fMutex;
    std::vector<std::string> fRanges;
};

} // namespace

TEST_F(RemoteFileHttpTest, LightProbeCostsEightRangeRequests) {
    TRemoteFileInfo probe(fServer.Url("/setup.exe"));
    probe.GetInfo(false, false);
    EXPECT_EQ(probe.FileVersionInfo().GetFileVersionText(), "9.8.7.6");
    EXPECT_EQ(probe.FileVersionInfo().GetProductVersionText(), "5.6 Final");
    const auto ranges = Ranges();
    ASSERT_EQ(ranges.size(), 8u);
    EXPECT_EQ(probe.Requests(), 8);
    EXPECT_EQ(ranges[0], "bytes=0-63");
    EXPECT_EQ(ranges[1], "bytes=128-151");
    EXPECT_EQ(ranges[3], "bytes=1536-2047"); // the root resource directory
    EXPECT_LT(probe.Bytes(), 2048);
}

TEST_F(RemoteFileHttpTest, FullProbeAndRedirects) {
    TRemoteFileInfo probe(fServer.Url("/latest"));
    probe.GetInfo(true, true);
    EXPECT_EQ(probe.FileVersionInfo().GetFileVersionText(), "9.8.7.6");
    EXPECT_EQ(probe.Icons().size(), 3u);
    EXPECT_EQ(probe.Requests(), 4);
    EXPECT_EQ(Ranges().size(), 8u); // each request was redirected once
}

TEST_F(RemoteFileHttpTest, FailuresYieldAnEmptyVersion) {
    struct TCase {
        const char* Name;
        std::string Url;
        std::size_t Requests; // what the server saw
        std::int64_t Bytes;   // the body bytes the probe kept
    };
    const TCase cases[] = {
        {"a server that ignores the range", fServer.Url("/streamed.exe"), 1, 0},
        {"an error page", fServer.Url("/missing.exe"), 1, 15}, // read whatever the status
        {"no server", "http://127.0.0.1:1/setup.exe", 0, 0},
        {"not an address", "not a url", 0, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::size_t before = Ranges().size();
        TRemoteFileInfo probe(c.Url);
        ASSERT_NO_THROW(probe.GetInfo(false, false));
        EXPECT_EQ(probe.FileVersionInfo().GetFileVersionText(), "");
        EXPECT_EQ(probe.Requests(), 1);
        EXPECT_EQ(probe.Bytes(), c.Bytes);
        EXPECT_EQ(Ranges().size() - before, c.Requests);
    }
}
