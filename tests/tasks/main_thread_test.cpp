#include "tasks/delayed_list.h"
#include "tasks/main_loop.h"
#include "tasks/main_thread.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

using namespace brivane;

namespace {

// The test thread is the main thread, pumped by its waits.
class MainThreadTest : public testing::Test {
protected:
    void SetUp() override { SetMainThreadDispatcher(fLoop); }
    void TearDown() override { SetMainThreadDispatcher(nullptr); }

    std::shared_ptr<TMainLoop> fLoop = std::make_shared<TMainLoop>();
};

} // namespace

TEST_F(MainThreadTest, OnTheMainThreadTheProcedureRunsAtOnce) {
    bool ran = false;
    EXPECT_FALSE(RunInMainThread([&] { ran = true; }));
    EXPECT_TRUE(ran);
}

TEST_F(MainThreadTest, FromAWorkerTheProcedureRunsOnTheMainThreadWhileItWaits) {
    const auto list = TDelayedList::Make();
    const auto mainId = std::this_thread::get_id();
    std::thread::id ranOn;
    bool handedOver = false;
    std::string error;
    list <= [&] {
        handedOver = RunInMainThread([&] { ranOn = std::this_thread::get_id(); });
        try {
            RunInMainThread([] { throw std::runtime_error("from the main thread"); });
        } catch (const std::runtime_error& e) {
            error = e.what();
        }
    };
    std::thread worker([&] { list.ExecuteOne(); });
    EXPECT_TRUE(list.Wait(kInfinite, true)); // a non-freezing wait pumps the hand-offs
    worker.join();
    EXPECT_TRUE(handedOver);
    EXPECT_EQ(ranOn, mainId);
    EXPECT_EQ(error, "from the main thread");
}

TEST_F(MainThreadTest, PumpingRunsAtMostElevenAndOnlyOnTheMainThread) {
    int ran = 0;
    for (int i = 0; i < 15; ++i) {
        fLoop->Post([&] { ++ran; });
    }
    std::thread other([] { ProcessPendingMessages(); });
    other.join();
    EXPECT_EQ(ran, 0);
    ProcessPendingMessages();
    EXPECT_EQ(ran, kMaxMessagesPerPump);
    ProcessPendingMessages();
    EXPECT_EQ(ran, 15);
}

TEST_F(MainThreadTest, ShutdownReleasesCallersWhoseProcedureNeverRan) {
    std::string error;
    std::thread worker([&] {
        try {
            RunInMainThread([] {});
        } catch (const std::runtime_error& e) {
            error = e.what();
        }
    });
    fLoop->Shutdown(); // before or after the worker posted: it must not stay blocked
    worker.join();
    EXPECT_EQ(error, "The main thread stopped before running the procedure");
}

TEST(MainThreadWithoutDispatcherTest, HandOffIsAnError) {
    EXPECT_THROW(RunInMainThread([] {}), std::logic_error);
    ProcessPendingMessages(); // harmless
}
