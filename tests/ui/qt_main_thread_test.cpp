#include "tasks/task_runtime.h"
#include "ui/qt_main_thread.h"

#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include <future>
#include <thread>

namespace brivane::test {
namespace {

TEST(QtMainThreadTest, BackgroundWorkRunsOnTheMainThreadThroughQtsLoop) {
    const auto dispatcher = std::make_shared<ui::TQtMainThreadDispatcher>();
    TTaskRuntime runtime(dispatcher);
    const auto main = std::this_thread::get_id();
    std::thread::id ranOn;
    auto worker = std::async(std::launch::async, [&] {
        return RunInMainThread([&] { ranOn = std::this_thread::get_id(); });
    });
    // Only Qt's own loop runs here: the dispatcher must have woken it.
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (worker.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
            loop.quit();
        }
    });
    poll.start(5);
    loop.exec();
    EXPECT_TRUE(worker.get());
    EXPECT_EQ(ranOn, main);
    EXPECT_FALSE(RunInMainThread([] {})); // on the main thread: at once
}

TEST(QtMainThreadTest, AfterShutdownCallersAreReleasedUnrun) {
    const auto dispatcher = std::make_shared<ui::TQtMainThreadDispatcher>();
    TTaskRuntime runtime(dispatcher);
    dispatcher->Shutdown();
    bool ran = false;
    auto worker =
        std::async(std::launch::async, [&] { return RunInMainThread([&] { ran = true; }); });
    EXPECT_THROW(worker.get(), std::runtime_error);
    EXPECT_FALSE(ran);
}

} // namespace
} // namespace brivane::test
