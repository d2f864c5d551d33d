// The update pass of the controller: 160 installed catalogue entries, each checked with
// two requests (its page, then the installer's date and size) to a loopback server
// that answers every request after 50 ms. The "ratio" counter is the time from the
// start hook to the lists over the ideal of four workers that only wait for answers,
// 160 × 2 × 50 ms / 4 (target: at most 1.15).

#include "app/basic_main_view.h"
#include "app/controller.h"
#include "app/settings.h"
#include "delayed_world.h"
#include "support/page_software.h"
#include "support/temp_dir.h"
#include "tasks/task_runtime.h"
#include "tasks/waking_main_loop.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

using namespace brivane;

namespace {

constexpr int kEntries = 160;
constexpr double kIdealSeconds = kEntries * 2 * 0.050 / 4;

void BM_UpdatePass(benchmark::State& aState) {
    const test::TTempDir data;
    const test::TScopedEnv dataHome("XDG_DATA_HOME", data.Path().c_str());
    const auto loop = std::make_shared<TWakingMainLoop>();
    const TTaskRuntime runtime(loop);
    const std::string machine = bench::InstalledMachine(kEntries);
    auto& server = bench::DelayedServer(kEntries);
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
                bench::ProgramName(i), server.Url("/page/" + std::to_string(i))));
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
