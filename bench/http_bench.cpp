// The HTTP client against libcurl's easy interface used directly, in the same run
// and on the same loopback server:
// - SmallGets: 1,000 small GETs through one client (connections reused); the
//   counter "ratio" is our best round's time over curl's (target: at most 1.3).
// - Download/<MB>: a download streamed to a file; "rate_ratio" is our rate over
//   curl's (target: at least 0.8), "peak_rss_MB" the process's peak resident
//   memory during our download, which must not grow with the size.

#include "net/content_stream.h"
#include "net/http_client.h"
#include "support/loopback_server.h"
#include "support/temp_dir.h"

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

using namespace brivane;
using TClock = std::chrono::steady_clock;

namespace {

constexpr int kSmallGets = 1000;
constexpr std::size_t kChunk = 64 * 1024;

test::TLoopbackServer& Server() {
    static test::TLoopbackServer* server = [] {
        auto* s = new test::TLoopbackServer;
        s->Server().Get("/small", [](const httplib::Request&, httplib::Response& aResponse) {
            aResponse.set_content("a small answer of a few dozen bytes",
                                  "application/octet-stream");
        });
        s->Server().Get(R"(/bytes/(\d+))", [](const httplib::Request& aRequest,
                                              httplib::Response& aResponse) {
            static const std::string chunk(kChunk, 'b');
            aResponse.set_content_provider(std::stoull(aRequest.matches[1]),
                                           "application/octet-stream",
                                           [](size_t, size_t aLength, httplib::DataSink& aSink) {
                                               aSink.write(chunk.data(), std::min(aLength, kChunk));
                                               return true;
                                           });
        });
        s->Start();
        return s;
    }();
    return *server;
}

// The headers our client sends, so that both send the same requests.
curl_slist* SameHeaders() {
    static curl_slist* headers = [] {
        curl_slist* list = nullptr;
        for (const char* line : {"User-Agent: Brivane-HTTP/1.0", "Cache-Control: no-cache",
                                 "Pragma: no-cache", "Accept:", "Expect:"}) {
            list = curl_slist_append(list, line);
        }
        return list;
    }();
    return headers;
}

std::size_t DiscardBody(char*, std::size_t aSize, std::size_t aCount, void*) {
    return aSize * aCount;
}

std::size_t WriteToFile(char* aData, std::size_t aSize, std::size_t aCount, void* aFile) {
    return std::fwrite(aData, aSize, aCount, static_cast<std::FILE*>(aFile)) * aSize;
}

double Seconds(TClock::duration aDuration) {
    return std::chrono::duration<double>(aDuration).count();
}

// Resets the peak resident size so that the next read measures from here.
void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double PeakMemoryMB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) {
            return std::stod(line.substr(6)) / 1024.0;
        }
    }
    return 0;
}

void SmallGets(benchmark::State& aState) {
    const std::string url = Server().Url("/small");
    CURL* curl = curl_easy_init();
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &DiscardBody);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, SameHeaders());
    auto client = net::THTTPClient::Create();
    const auto runCurl = [&] {
        for (int i = 0; i < kSmallGets; ++i) {
            if (curl_easy_perform(curl) != CURLE_OK) {
                aState.SkipWithError("curl request failed");
            }
        }
    };
    const auto runOurs = [&] {
        for (int i = 0; i < kSmallGets; ++i) {
            net::TMemoryContent body;
            client->Get(url, &body);
            benchmark::DoNotOptimize(body.Bytes().data());
        }
    };
    // The machine is shared: each side's best round counts, and the sides take
    // turns at going first.
    double curlBest = 1e9, ourBest = 1e9;
    bool curlFirst = true;
    for (auto _ : aState) {
        for (int side = 0; side < 2; ++side) {
            const bool isCurl = (side == 0) == curlFirst;
            const auto start = TClock::now();
            isCurl ? runCurl() : runOurs();
            const double seconds = Seconds(TClock::now() - start);
            (isCurl ? curlBest : ourBest) = std::min(isCurl ? curlBest : ourBest, seconds);
        }
        curlFirst = !curlFirst;
    }
    curl_easy_cleanup(curl);
    aState.counters["curl_ms"] = curlBest * 1000;
    aState.counters["ours_ms"] = ourBest * 1000;
    aState.counters["ratio"] = ourBest / curlBest;
}
BENCHMARK(SmallGets)->Unit(benchmark::kMillisecond)->Iterations(10);

// The size in MB comes from the argument; BRIVANE_BENCH_DOWNLOAD_MB scales the
// largest one down for quick runs.
void Download(benchmark::State& aState) {
    std::int64_t megabytes = aState.range(0);
    if (const char* value = std::getenv("BRIVANE_BENCH_DOWNLOAD_MB")) {
        megabytes = std::max<std::int64_t>(1, std::stoll(value) * aState.range(0) / 1024);
    }
    const std::int64_t size = megabytes * 1024 * 1024;
    const std::string url = Server().Url("/bytes/" + std::to_string(size));
    test::TTempDir folder;
    const auto curlFile = folder / "curl.bin";
    const auto ourFile = folder / "ours.bin";
    const auto runCurl = [&] {
        std::FILE* out = std::fopen(curlFile.c_str(), "wb");
        CURL* curl = curl_easy_init();
        curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &WriteToFile);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, out);
        const bool done = curl_easy_perform(curl) == CURLE_OK;
        curl_easy_cleanup(curl);
        return std::fclose(out) == 0 && done;
    };
    const auto runOurs = [&] {
        net::TFileContent content(ourFile);
        net::THTTPClient::Create()->Get(url, &content);
        content.Close();
        return content.Size() == size;
    };
    double curlBest = 1e9, ourBest = 1e9, peak = 0;
    bool curlFirst = true;
    for (auto _ : aState) {
        for (int side = 0; side < 2; ++side) {
            const bool isCurl = (side == 0) == curlFirst;
            std::filesystem::remove(isCurl ? curlFile : ourFile);
            ResetPeakMemory();
            const auto start = TClock::now();
            if (!(isCurl ? runCurl() : runOurs())) {
                aState.SkipWithError("download incomplete");
            }
            const double seconds = Seconds(TClock::now() - start);
            (isCurl ? curlBest : ourBest) = std::min(isCurl ? curlBest : ourBest, seconds);
            if (!isCurl) {
                peak = std::max(peak, PeakMemoryMB());
            }
        }
        curlFirst = !curlFirst;
    }
    const auto mb = static_cast<double>(megabytes);
    aState.counters["MB"] = mb;
    aState.counters["curl_MBps"] = mb / curlBest;
    aState.counters["ours_MBps"] = mb / ourBest;
    aState.counters["rate_ratio"] = curlBest / ourBest;
    aState.counters["peak_rss_MB"] = peak;
}
BENCHMARK(Download)->Arg(128)->Arg(1024)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
