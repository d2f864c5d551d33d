// The window against the loopback world: 160 installed entries, each with its icon in a
// static cache file, whose pages and installers answer after 50 ms.
//
// BM_CheckOnly: the start to the lists with a view without a window; the check time.
// BM_StartToLists: the same with the window as the view, from showing it to the lists
//   shown with all 160 rows and their icons; "ratio" is its time over the check time of
//   the same run (target: at most 1.5).
// BM_FilterKeyPress: a key press that rebuilds the three lists of 160 rows and draws
//   the list shown (target: under 16 ms).
// Both report the process's peak memory as "peak_MB" (target: under 150 MB).

#include "app/basic_main_view.h"
#include "app/controller.h"
#include "app/settings.h"
#include "base/value_stream.h"
#include "catalogue/program_info.h"
#include "delayed_world.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "support/page_software.h"
#include "support/temp_dir.h"
#include "tasks/task_runtime.h"
#include "ui/app_icon.h"
#include "ui/check_list_view.h"
#include "ui/main_window.h"
#include "ui/qt_main_thread.h"

#include <QApplication>
#include <QBuffer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <string>

using namespace brivane;

namespace {

constexpr int kEntries = 160;

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The static cache files of every entry, each with an icon of its own colour; removed
// at the end.
class TStaticCaches {
public:
    TStaticCaches() {
        for (int i = 0; i < kEntries; ++i) {
            QImage icon = ui::DrawAppIcon(32);
            icon.setPixelColor(16, 16, QColor::fromHsv(i * 2, 200, 200));
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            icon.save(&buffer, "ICO");
            TValueWriter writer;
            writer.WriteInteger(kCacheMagic);
            writer.WriteInteger(static_cast<std::int32_t>(bytes.size()));
            writer.WriteBytes(
                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
            writer.WriteString(bench::ProgramName(i));
            writer.WriteString("Описание " + bench::ProgramName(i));
            writer.WriteString("About " + bench::ProgramName(i));
            const auto file = platform::GetExecutableFolder() / "Cache" / bench::ProgramName(i);
            platform::WriteFileAtomically(file, writer.Bytes());
            fFiles.push_back(file);
        }
    }
    ~TStaticCaches() {
        for (const auto& file : fFiles) {
            std::error_code error;
            std::filesystem::remove(file, error);
        }
    }

private:
    std::vector<std::filesystem::path> fFiles;
};

void RunUntil(const std::function<bool()>& aDone) {
    while (!aDone()) {
        QEventLoop loop;
        QTimer::singleShot(2, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

// One start of the controller with aView, timed from aShow to the lists.
template <class TView>
double TimeStart(TView& aView, const std::function<void()>& aShow, const test::TTempDir& aData) {
    const std::string machine = bench::InstalledMachine(kEntries);
    TControllerOptions options;
    options.OpenRegistry = [&machine] { return test::ExportRegistry(machine); };
    options.Config = std::make_shared<TConfig>(aData / "Config.dat");
    options.Config->SetBoolean(kEnableAnimations, false);
    options.Config->SetBoolean(kFirstRun, false);
    TController controller(std::move(options));
    for (int i = 0; i < kEntries; ++i) {
        controller.RegisterSoftware(std::make_unique<test::TPageSoftware>(
            bench::ProgramName(i),
            bench::DelayedServer(kEntries).Url("/page/" + std::to_string(i))));
    }
    const auto start = std::chrono::steady_clock::now();
    aShow();
    RunUntil(
        [&aView] { return aView.DisplayMode() == dmList && aView.UpdatesCount() == kEntries; });
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    RunUntil([&controller] { return controller.Idle(); });
    return elapsed.count();
}

double gCheckSeconds = 0;

struct TRuntime {
    test::TTempDir Data;
    test::TScopedEnv DataHome{"XDG_DATA_HOME", Data.Path().c_str()};
    TTaskRuntime Runtime{std::make_shared<ui::TQtMainThreadDispatcher>()};
};

TRuntime& Runtime() {
    static TRuntime* runtime = new TRuntime;
    return *runtime;
}

void BM_CheckOnly(benchmark::State& aState) {
    auto& runtime = Runtime();
    double best = 1e9;
    for (auto _ : aState) {
        TBasicMainView view;
        const double seconds = TimeStart(
            view, [&view] { CallOnStart(view); }, runtime.Data);
        aState.SetIterationTime(seconds);
        best = std::min(best, seconds);
    }
    gCheckSeconds = best;
    aState.counters["peak_MB"] = PeakMegabytes();
}

void BM_StartToLists(benchmark::State& aState) {
    auto& runtime = Runtime();
    double best = 1e9;
    for (auto _ : aState) {
        ui::TMainForm window;
        const double seconds = TimeStart(
            window, [&window] { window.show(); }, runtime.Data);
        aState.SetIterationTime(seconds);
        best = std::min(best, seconds);
        if (window.Shown(lmUpdates).size() != kEntries) {
            aState.SkipWithError("not every row is shown");
        }
    }
    if (gCheckSeconds > 0) {
        aState.counters["ratio"] = best / gCheckSeconds;
    }
    aState.counters["peak_MB"] = PeakMegabytes();
}

void BM_FilterKeyPress(benchmark::State& aState) {
    Runtime();
    ui::TMainForm window;
    window.show();
    for (int i = 0; i < kEntries; ++i) {
        TProgramInfo info = TProgramInfo::LoadFromCache(bench::ProgramName(i));
        info.AvailableVersion = "2.0";
        info.Size = 1000;
        window.AddProgram(info);
    }
    window.SetDisplayMode(dmList);
    window.SetListMode(lmLibrary);
    auto* view = window.ListView(lmLibrary);
    QKeyEvent letter(QEvent::KeyPress, Qt::Key_P, Qt::NoModifier, QStringLiteral("p"));
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    for (auto _ : aState) {
        // The letter only starts the pause; Backspace rebuilds all rows at once.
        QApplication::sendEvent(view, &letter);
        QApplication::sendEvent(view, &backspace);
        view->viewport()->repaint();
        if (window.Shown(lmLibrary).size() != kEntries || !window.Filter().empty()) {
            aState.SkipWithError("the key press did not rebuild the list");
        }
    }
    aState.counters["peak_MB"] = PeakMegabytes();
}

BENCHMARK(BM_CheckOnly)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StartToLists)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FilterKeyPress)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const TStaticCaches caches;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
