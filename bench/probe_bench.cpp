// The light remote probe against downloading the whole file, in the same run and on
// the same loopback server: a 100 MB installer whose version resource lies near its
// start. Counters: "probe_bytes", the body bytes the probe transferred (target: under
// 8 KB); "probe_requests"; "time_percent", the probe's best time as a percentage of
// the best download of the file to disk, as installers are downloaded (target: under
// 1); and "memory_time_percent", the same against a download whose body is counted
// and dropped, which on loopback runs at memory speed.

#include "catalogue/remote_file_info.h"
#include "net/content_stream.h"
#include "net/http_client.h"
#include "support/loopback_server.h"
#include "support/pe_samples.h"
#include "support/temp_dir.h"

#include <benchmark/benchmark.h>

#include <chrono>

using namespace brivane;
using TClock = std::chrono::steady_clock;

namespace {

constexpr std::size_t kInstallerSize = 100 * 1024 * 1024;
constexpr std::size_t kChunk = 64 * 1024;
constexpr int kProbeRounds = 10; // a probe is short: more rounds find its best time

// The executable, then filler up to the installer's size (an installer's payload).
test::TLoopbackServer& Server() {
    static test::TLoopbackServer* server = [] {
        auto* s = new test::TLoopbackServer;
        s->Server().Get(
            "/installer.exe", [](const httplib::Request&, httplib::Response& aResponse) {
                static const std::string head = BuildPeFile(test::SampleProgram()).Bytes;
                static const std::string filler(kChunk, 'p');
                aResponse.set_content_provider(
                    kInstallerSize, "application/octet-stream",
                    [](std::size_t aOffset, std::size_t aLength, httplib::DataSink& aSink) {
                        if (aOffset < head.size()) {
                            aSink.write(head.data() + aOffset,
                                        std::min(aLength, head.size() - aOffset));
                        } else {
                            aSink.write(filler.data(), std::min(aLength, kChunk));
                        }
                        return true;
                    });
            });
        s->Start();
        return s;
    }();
    return *server;
}

// Counts a body without keeping it.
class TDiscardContent final : public net::TContentStream {
public:
    void Write(std::string_view aBytes) override { fSize += aBytes.size(); }
    void Clear() override { fSize = 0; }
    std::size_t Size() const { return fSize; }

private:
    std::size_t fSize = 0;
};

double Seconds(TClock::duration aDuration) {
    return std::chrono::duration<double>(aDuration).count();
}

void LightProbeAgainstDownload(benchmark::State& aState) {
    const std::string url = Server().Url("/installer.exe");
    const auto client = net::THTTPClient::Create();
    test::TTempDir folder;
    double memoryBest = 1e9, downloadBest = 1e9, probeBest = 1e9;
    std::int64_t probeBytes = 0, probeRequests = 0;
    for (auto _ : aState) {
        // The machine is shared: each side's best round counts.
        auto start = TClock::now();
        TDiscardContent body;
        client->Get(url, &body);
        memoryBest = std::min(memoryBest, Seconds(TClock::now() - start));
        if (body.Size() != kInstallerSize) {
            aState.SkipWithError("download incomplete");
        }
        start = TClock::now();
        {
            net::TFileContent file(folder / "installer.exe");
            client->Get(url, &file);
            file.Close();
            if (file.Size() != static_cast<std::int64_t>(kInstallerSize)) {
                aState.SkipWithError("download incomplete");
            }
        }
        downloadBest = std::min(downloadBest, Seconds(TClock::now() - start));

        for (int round = 0; round < kProbeRounds; ++round) {
            start = TClock::now();
            TRemoteFileInfo probe(url);
            probe.GetInfo(false, false);
            probeBest = std::min(probeBest, Seconds(TClock::now() - start));
            if (probe.FileVersionInfo().GetFileVersionText() != "9.8.7.6") {
                aState.SkipWithError("probe found no version");
            }
            probeBytes = probe.Bytes();
            probeRequests = probe.Requests();
        }
    }
    aState.counters["memory_ms"] = memoryBest * 1000;
    aState.counters["download_ms"] = downloadBest * 1000;
    aState.counters["probe_ms"] = probeBest * 1000;
    aState.counters["probe_bytes"] = static_cast<double>(probeBytes);
    aState.counters["probe_requests"] = static_cast<double>(probeRequests);
    aState.counters["time_percent"] = 100 * probeBest / downloadBest;
    aState.counters["memory_time_percent"] = 100 * probeBest / memoryBest;
}
BENCHMARK(LightProbeAgainstDownload)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
