// The installer queue's downloads against libcurl alone, in the same run and from the
// same loopback server: five installers of 200 MB each, downloaded in parallel to disk.
// Counters: "throughput_ratio", the queue's bytes per second over those of five plain
// libcurl transfers to files on five threads (target: at least 0.8), and "peak_rss_mb",
// the process's peak resident memory after both (target: under 64, whatever the size:
// the installers are streamed, never held). The files go below TMPDIR; run it with
// TMPDIR=/dev/shm to time the transfers rather than the disk.

#include "install/installer.h"
#include "support/loopback_server.h"
#include "support/temp_dir.h"

#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

using namespace brivane;
using TClock = std::chrono::steady_clock;

namespace {

constexpr std::size_t kInstallerSize = 200 * 1024 * 1024;
constexpr int kInstallers = 5;
constexpr std::size_t kChunk = 64 * 1024;

// Installers made up as they are sent, so that the server holds none of them.
test::TLoopbackServer& Server() {
    static test::TLoopbackServer* server = [] {
        auto* s = new test::TLoopbackServer;
        s->Server().Get(R"(/setup\d\.exe)",
                        [](const httplib::Request&, httplib::Response& aResponse) {
                            static const std::string filler(kChunk, 'i');
                            aResponse.set_content_provider(
                                kInstallerSize, "application/octet-stream",
                                [](std::size_t, std::size_t aLength, httplib::DataSink& aSink) {
                                    return aSink.write(filler.data(), std::min(aLength, kChunk));
                                });
                        });
        s->Start();
        return s;
    }();
    return *server;
}

std::string InstallerUrl(int aIndex) {
    return Server().Url("/setup" + std::to_string(aIndex) + ".exe");
}

// A started installer that has already ended.
class TEndedProcess final : public platform::IStartedProcess {
public:
    bool Wait(std::chrono::milliseconds) override { return true; }
    int ExitCode() const override { return 0; }
};

double Seconds(TClock::duration aDuration) {
    return std::chrono::duration<double>(aDuration).count();
}

// The queue's run: Init, the five downloads, the (instant) installers.
double QueueSeconds(const std::filesystem::path& aFolder) {
    install::TProgrammOptions options;
    options.StartProgram = [](const std::filesystem::path&, const std::vector<std::string>&) {
        return platform::TStartResult{std::make_shared<TEndedProcess>(), {}};
    };
    install::TInstaller installer(aFolder, kInstallers, options);
    std::mutex lock;
    std::condition_variable stopped;
    bool done = false;
    installer.SetOnInstallStop([&](install::TInstaller&) {
        std::lock_guard guard(lock);
        done = true;
        stopped.notify_all();
    });
    install::TInstallList list;
    for (int i = 0; i < kInstallers; ++i) {
        list.emplace_back("Program " + std::to_string(i),
                          install::TDownloadParams::Create(InstallerUrl(i), {}, 0));
    }
    const auto start = TClock::now();
    installer.Run(std::move(list));
    std::unique_lock guard(lock);
    stopped.wait(guard, [&] { return done; });
    return Seconds(TClock::now() - start);
}

std::size_t WriteToFile(char* aData, std::size_t aSize, std::size_t aCount, void* aFile) {
    return std::fwrite(aData, aSize, aCount, static_cast<std::FILE*>(aFile));
}

// The same five transfers with libcurl and nothing else, one thread each.
double CurlSeconds(const std::filesystem::path& aFolder) {
    const auto start = TClock::now();
    std::vector<std::thread> threads;
    for (int i = 0; i < kInstallers; ++i) {
        threads.emplace_back([&aFolder, i] {
            const auto path = aFolder / ("curl" + std::to_string(i) + ".exe");
            std::FILE* file = std::fopen(path.c_str(), "wb");
            CURL* curl = curl_easy_init();
            curl_easy_setopt(curl, CURLOPT_URL, InstallerUrl(i).c_str());
            curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &WriteToFile);
            curl_easy_setopt(curl, CURLOPT_WRITEDATA, file);
            curl_easy_perform(curl);
            curl_easy_cleanup(curl);
            std::fclose(file);
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    const double seconds = Seconds(TClock::now() - start);
    // Kept until the time is taken, as the queue keeps its installers: a file removed
    // at once never reaches the disk, and would make the baseline a memory benchmark.
    for (int i = 0; i < kInstallers; ++i) {
        std::filesystem::remove(aFolder / ("curl" + std::to_string(i) + ".exe"));
    }
    return seconds;
}

double PeakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

void BM_FiveParallelDownloads(benchmark::State& aState) {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    Server();
    const test::TTempDir folder;
    // Each iteration times both, the order changing each time, and the median of the
    // ratios is reported: the disk's write-back of the first side's gigabyte lands on the
    // second.
    std::vector<double> ratios;
    bool curlFirst = true;
    for (auto _ : aState) {
        double curl = 0;
        double queue = 0;
        if (curlFirst) {
            curl = CurlSeconds(folder.Path());
            queue = QueueSeconds(folder.Path() / "Downloads");
        } else {
            queue = QueueSeconds(folder.Path() / "Downloads");
            curl = CurlSeconds(folder.Path());
        }
        curlFirst = !curlFirst;
        aState.SetIterationTime(queue);
        ratios.push_back(curl / queue);
    }
    std::sort(ratios.begin(), ratios.end());
    aState.counters["throughput_ratio"] = ratios[ratios.size() / 2];
    aState.counters["peak_rss_mb"] = PeakResidentMegabytes();
    aState.SetBytesProcessed(aState.iterations() * kInstallers *
                             static_cast<std::int64_t>(kInstallerSize));
}

BENCHMARK(BM_FiveParallelDownloads)->UseManualTime()->Iterations(5)->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
