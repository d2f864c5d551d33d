// The window in the demo world, as `brivane --demo` runs it: the whole catalogue checked
// against the demo's sites, and an update installed from the Updates list through the
// program's own demo installer, after which it is listed among the current programs.

#include "app/controller.h"
#include "app/localization.h"
#include "app/settings.h"
#include "demo/demo_world.h"
#include "tasks/task_runtime.h"
#include "ui/main_window.h"
#include "ui/progress_window.h"
#include "ui/qt_main_thread.h"
#include "window_fixture.h"

#include <QPushButton>

#include <gtest/gtest.h>

namespace brivane::test {
namespace {

TEST(WindowDemoTest, AnUpdateInstalledFromTheWindowMovesToActuals) {
    demo::TDemoWorld world(demo::TDemoOptions{
        .Data = BRIVANE_DEMO_DATA_DIR,
        .Launcher = {BRIVANE_GUI_PATH, "--demo-installer"},
    });
    const auto config = std::make_shared<TConfig>();
    InitLocalization(*config);
    CurrentLanguage = lEnglish;
    TTaskRuntime runtime(std::make_shared<ui::TQtMainThreadDispatcher>());
    ui::TMainForm window;
    ui::TProgressForm progress;
    window.SetProgressForm(&progress);
    TControllerOptions options;
    options.Config = config;
    auto controller = std::make_unique<TController>(std::move(options));
    RegisterCatalogue(*controller);

    window.show();
    ASSERT_TRUE(RunEventLoopUntil(
        [&] { return window.DisplayMode() == dmList && controller->Idle(); }, 120000));
    window.HideHelp();
    const auto row = [&](TListMode aList, const std::string& aName) -> const TListRow* {
        for (const auto& candidate : window.Model(aList)) {
            if (candidate.Item.Name == aName) {
                return &candidate;
            }
        }
        return nullptr;
    };
    ASSERT_NE(row(lmUpdates, "7-Zip"), nullptr);
    window.DeselectAll(lmUpdates);
    for (int i = 0; i < window.UpdatesCount(); ++i) {
        window.SetUpdateChecked(i, window.GetUpdate(i).Name == "7-Zip");
    }
    window.InstallButton(lmUpdates)->click();
    ASSERT_TRUE(RunEventLoopUntil(
        [&] { return controller->Idle() && window.DisplayMode() == dmList && window.isVisible(); },
        120000));

    EXPECT_EQ(controller->StartedInstallers(), std::vector<std::string>{"7-Zip"});
    EXPECT_EQ(row(lmUpdates, "7-Zip"), nullptr);
    const auto* installed = row(lmActual, "7-Zip");
    ASSERT_NE(installed, nullptr);
    EXPECT_EQ(installed->Item.CurrentVersion, "16.02");
    EXPECT_EQ(window.UpdatesCount(), 12);
    controller->Stop();
    controller->WaitUntilIdle();
    controller.reset();
}

} // namespace
} // namespace brivane::test
