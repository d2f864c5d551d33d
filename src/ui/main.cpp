// brivane: the program's window.

#include "app/controller.h"
#include "app/localization.h"
#include "app/run_settings.h"
#include "app/settings.h"
#include "base/identity.h"
#include "demo/demo_installer.h"
#include "demo/demo_world.h"
#include "install/auto_updater.h"
#include "platform/folders.h"
#include "tasks/task_runtime.h"
#include "ui/app_icon.h"
#include "ui/introduction.h"
#include "ui/main_window.h"
#include "ui/progress_window.h"
#include "ui/qt_main_thread.h"
#include "ui/screenshot.h"
#include "ui/self_update_prompt.h"
#include "ui/start_options.h"
#include "ui/taskbar_progress.h"

#include <QApplication>

#include <iostream>
#include <memory>
#include <optional>

namespace {

constexpr int kScreenshotLimitMilliseconds = 10 * 60 * 1000;

} // namespace

int main(int argc, char** argv) {
    using namespace brivane;
    using namespace brivane::ui;
    // The command line is read before Qt starts, so that --help and bad input need no
    // display. (Qt's own settings come from its environment variables, QT_QPA_PLATFORM
    // and the like.)
    TStartOptions options;
    // The demo world outlives everything below (made first, it goes last); it sets the data
    // folder up before the settings are read.
    std::unique_ptr<demo::TDemoWorld> demoWorld;
    try {
        options = ParseStartOptions(argc, argv);
        if (!options.DemoInstaller.empty()) {
            demo::RunDemoInstaller(options.DemoInstaller);
            return 0;
        }
        ApplyStartOptions(options);
        if (options.Demo) {
            demoWorld = std::make_unique<demo::TDemoWorld>(demo::TDemoOptions{
                .Data = demo::DemoDataFolder(),
                .Launcher = {platform::GetExecutableFile().string(), "--demo-installer"},
            });
        }
    } catch (const EStartError& e) {
        (e.ExitCode() == 0 ? std::cout : std::cerr)
            << (e.ExitCode() == 0 ? "" : "brivane: ") << e.what() << '\n';
        return e.ExitCode();
    } catch (const std::exception& e) { // the demo's
        std::cerr << "brivane: " << e.what() << '\n';
        return 1;
    }
    // A screenshot needs no display.
    if (!options.Screenshot.empty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ChooseMediaBackend();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brivane"));
    QGuiApplication::setDesktopFileName(QStringLiteral("brivane"));
    QApplication::setWindowIcon(AppIcon());

    const auto stored = std::make_shared<TConfig>();
    InitLocalization(*stored);
    std::optional<TRunSettings> runSettings;
    if (options.Beta || options.Shareware) {
        runSettings.emplace(*stored, options.Beta, options.Shareware);
    }
    TTaskRuntime runtime(std::make_shared<TQtMainThreadDispatcher>());
    TLauncherEntryProgress taskbar;
    // Made before the controller, so that it outlives the checks that still report to it.
    TMainForm window(&taskbar);
    TProgressForm progress;
    window.SetProgressForm(&progress);
    // A screenshot run asks the user nothing; the demo world has no update server.
    std::optional<TSelfUpdatePrompt> selfUpdate;
    if (options.Screenshot.empty() && !demoWorld) {
        auto updater = std::make_unique<install::TAutoUpdater>();
        updater->Init(install::UpdateManifestURL(), kProgramVersion, kProgramBuild);
        selfUpdate.emplace(window, std::move(updater));
    }
    TControllerOptions controllerOptions;
    controllerOptions.Config = runSettings ? runSettings->Config() : stored;
    controllerOptions.CatalogueFilter = DebugFilterFromArguments(options.Arguments);
    auto controller = std::make_unique<TController>(std::move(controllerOptions));
    RegisterCatalogue(*controller);

    std::optional<TScreenshotOnLists> screenshot;
    if (!options.Screenshot.empty()) {
        screenshot.emplace(window, QString::fromStdString(options.Screenshot),
                           kScreenshotLimitMilliseconds);
    }
    window.show();
    int code = QApplication::exec();
    // The window is closed: checks not yet started are dropped, the running ones end.
    window.hide();
    controller->Stop();
    controller.reset();
    if (screenshot && !screenshot->Saved()) {
        code = 1;
    }
    return code;
}
