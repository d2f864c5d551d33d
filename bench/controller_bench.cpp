// The update pass of the controller: 160 installed catalogue entries, each checked with
// two requests (its page, then the installer's date and size) to a loopback server
// that answers every request after 50 ms. The "ratio" counter is the time from the
// start hook to the lists over the ideal of four workers that only wait for answers,
// 160 × 2 × 50 ms / 4 (target: at most 1.15).

#include "app/basic_main_view.h"
#include "app/controller.h"
#include "app/settings.h"
#include "support/loopback_server.h"
#include "support/page_software.h"
#include "support/registry_fixtures.h"
#include "support/temp_dir.h"
#include "tasks/task_runtime.h"
#include "tasks/waking_main_loop.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <thread>

using namespace brivane;

namespace {

constexpr int kEntries = 160;
constexpr auto kAnswerDelay = std::chrono::milliseconds(50);
constexpr double kIdealSeconds = kEntries * 2 * 0.050 / 4;

test::TLoopbackServer& Server() {
    static test::TLoopbackServer* server = [] {
        auto* s = new test::TLoopbackServer;
        // Every entry keeps its connection open, as a browser-like client does: the
        // server needs a thread for each of them.
        s->Server().new_task_queue = [] { return new httplib::ThreadPool(2 * kEntries); };
        s->Server().Get(R"(/page/(\d+))",
                        [s](const httplib::Request& aRequest, httplib::Response& aResponse) {
                            std::this_thread::sleep_for(kAnswerDelay);
                            aResponse.set_content("2.0 " + s->Url("/file/") +
                                                      std::string(aRequest.matches[1]) + ".exe",
                                                  "application/octet-stream");
                        });
        s->Server().Get(
            R"(/file/\d+\.exe)", [](const httplib::Request&, httplib::Response& aResponse) {
                std::this_thread::sleep_for(kAnswerDelay);
                aResponse.set_header("Last-Modified", "Wed, 01 May 2024 10:00:00 GMT");
                aResponse.set_content(std::string(1000, 'x'), "application/octet-stream");
            });
        s->Start();
        return s;
    }();
    return *server;
}

// A machine with every entry installed in version 1.0, so all of them are checked by
// the update pass and none by the library pass.
std::string Machine() {
    std::string text = "Windows Registry Editor Version 5.00\n\n";
    for (int i = 0; i < kEntries; ++i) {
        const std::string name = "Program" + std::to_string(i);
        text += test::UninstallRecordText(name, name, "1.0");
    }
    return test::Utf16LeWithBom(text);
}

void BM_UpdatePass(benchmark::State& aState) {
    const test::TTempDir data;
    const test::TScopedEnv dataHome("XDG_DATA_HOME", data.Path().c_str());
    const auto loop = std::make_shared<TWakingMainLoop>();
    const TTaskRuntime runtime(loop);
    const std::string machine = Machine();
    auto& server = Server();
    double bestSeconds = 1e9;
    for (auto _ : aState) {
        TBasicMainView view;
        TControllerOptions options;
        options.OpenRegistry = [&machine] { return test::ExportRegistry(machine); };
        options.Config = std::make_shared<TConfig>(data / "Config.dat");
        options.Config->SetBoolean(kEnableAnimations, false); // no assessment
        TController controller(std::move(options));
        for (int i = 0; i < kEntries; ++i) {
            controller.RegisterSoftware(std::make_unique<test::TPageSoftware>(
                "Program" + std::to_string(i), server.Url("/page/" + std::to_string(i))));
        }
        const auto start = std::chrono::steady_clock::now();
        controller.HandleOnStart(view);
        loop->RunUntil([&view] { return view.DisplayMode() == dmList; },
                       std::chrono::milliseconds(10));
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        aState.SetIterationTime(elapsed.count());
        bestSeconds = std::min(bestSeconds, elapsed.count());
        if (view.Updates().size() != kEntries) {
            aState.SkipWithError("not every entry was checked");
        }
        loop->RunUntil([&controller] { return controller.Idle(); }, std::chrono::milliseconds(10));
    }
    aState.counters["ideal_s"] = kIdealSeconds;
    aState.counters["ratio"] = bestSeconds / kIdealSeconds;
}

BENCHMARK(BM_UpdatePass)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
