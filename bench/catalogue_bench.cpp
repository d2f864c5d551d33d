// The whole check over the real catalogue: every entry's own requests to its
// publisher's site fixtures, served through the host map by a loopback server that
// answers each request after 50 ms. The machine has the entries installed that the
// expectations table installs, so the update pass (four workers) checks those and the
// library pass (three workers) the others.
//
// "ratio" is the time from the start hook until the controller is idle over the ideal
// for the pools' sizes: the sum over the update pass's entries of requests x 50 ms over
// four, plus the same for the library pass over three, where the requests of each entry
// are counted in a warm-up run (target: at most 1.2).

#include "app/basic_main_view.h"
#include "app/controller.h"
#include "app/settings.h"
#include "catalogue/base_software.h"
#include "catalogue/catalogue_table.h"
#include "catalogue/installed_system.h"
#include "net/host_map.h"
#include "support/catalogue_expectations.h"
#include "support/loopback_server.h"
#include "support/registry_fixtures.h"
#include "support/site_fixtures.h"
#include "support/temp_dir.h"
#include "tasks/task_runtime.h"
#include "tasks/waking_main_loop.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <map>
#include <string>
#include <thread>

using namespace brivane;

namespace {

constexpr auto kAnswerDelay = std::chrono::milliseconds(50);
std::atomic<bool> gDelay{false};
std::atomic<int> gRequests{0};

test::TLoopbackServer& Server() {
    static test::TLoopbackServer* server = [] {
        auto* s = new test::TLoopbackServer;
        // Every entry keeps its connection open, as a browser-like client does.
        s->Server().new_task_queue = [] { return new httplib::ThreadPool(400); };
        s->Server().set_pre_routing_handler([](const httplib::Request&, httplib::Response&) {
            ++gRequests;
            if (gDelay) {
                std::this_thread::sleep_for(kAnswerDelay);
            }
            return httplib::Server::HandlerResponse::Unhandled;
        });
        test::ServeSiteFixtures(s->Server());
        s->Start();
        net::SetHostMap(std::make_shared<const net::THostMap>(
            net::THostMap::Parse(R"({"*": ")" + s->Origin() + R"(/{host}"})", "bench")));
        return s;
    }();
    return *server;
}

// Every installed record of the expectations table in one export.
std::string Machine() {
    std::string text = "Windows Registry Editor Version 5.00\n\n";
    for (const auto& row : test::CatalogueExpectations()) {
        for (const auto& record : row.Installed) {
            text += test::UninstallRecordText(
                record.Key, record.DisplayName,
                record.DisplayVersion.empty() ? "1.0" : record.DisplayVersion);
        }
    }
    return test::Utf16LeWithBom(text);
}

// Each entry's requests in one check, without delays.
std::map<std::string, int> CountRequests(const TRegistryOpener& aOpenRegistry) {
    TInstalledSystem system(aOpenRegistry);
    std::map<std::string, int> counts;
    for (const TSoftwareFactory factory : CatalogueFactories()) {
        auto entry = factory();
        entry->SetContext(system);
        entry->Init();
        gRequests = 0;
        entry->Check(false, lEnglish);
        counts[entry->Info().Name()] = gRequests.load();
    }
    return counts;
}

void BM_WholeCheck(benchmark::State& aState) {
    const test::TTempDir data;
    const test::TScopedEnv dataHome("XDG_DATA_HOME", data.Path().c_str());
    const auto loop = std::make_shared<TWakingMainLoop>();
    const TTaskRuntime runtime(loop);
    const std::string machine = Machine();
    const TRegistryOpener openRegistry = [&machine] { return test::ExportRegistry(machine); };
    Server();
    const auto requests = CountRequests(openRegistry);

    double idealSeconds = 0;
    double bestSeconds = 1e9;
    for (auto _ : aState) {
        TBasicMainView view;
        TControllerOptions options;
        options.OpenRegistry = openRegistry;
        options.Config = std::make_shared<TConfig>(data / "Config.dat");
        options.Config->SetBooleans({{kEnableAnimations, false}, {kAllowShareware, true}});
        TController controller(std::move(options));
        RegisterCatalogue(controller);
        idealSeconds = 0;
        for (TBaseSoftware* entry : controller.GetSoftwareList()) {
            entry->Init();
            const int workers = entry->IsInstalled() ? 4 : 3;
            idealSeconds += requests.at(entry->Info().Name()) * 0.050 / workers;
        }
        gDelay = true;
        const auto start = std::chrono::steady_clock::now();
        controller.HandleOnStart(view);
        loop->RunUntil(
            [&controller, &view] { return view.DisplayMode() == dmList && controller.Idle(); },
            std::chrono::milliseconds(10));
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        gDelay = false;
        aState.SetIterationTime(elapsed.count());
        bestSeconds = std::min(bestSeconds, elapsed.count());
    }
    aState.counters["entries"] = static_cast<double>(requests.size());
    aState.counters["ideal_s"] = idealSeconds;
    aState.counters["ratio"] = bestSeconds / idealSeconds;
}

BENCHMARK(BM_WholeCheck)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
