#include "tasks/delayed.h"
#include "tasks/event.h"
#include "tasks/main_thread.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>

using namespace brivane;

TEST(DelayedTest, ProcedureRunsWithArgumentsCopiedAtMake) {
    std::string seen;
    std::string name = "seven";
    const auto task = TDelayedProc<int, std::string>::Make(
        [&](int aNumber, const std::string& aName) { seen = std::to_string(aNumber) + aName; }, 7,
        name);
    name = "changed";
    EXPECT_EQ(task->Status(), dsWaiting);
    EXPECT_FALSE(task->Wait(0, false));
    task->SharedExecute();
    EXPECT_EQ(seen, "7seven");
    EXPECT_EQ(task->Status(), dsExecuted);
    EXPECT_TRUE(task->Wait(0, false));
    EXPECT_TRUE(task->Wait(0, true));
}

TEST(DelayedTest, CompletionEventIsSignalledExactlyWhileExecuted) {
    const auto task = TDelayedProc<>::Make([] {});
    for (const auto status : {dsNone, dsWaiting, dsInProgress, dsIgnore}) {
        task->SetStatus(status);
        EXPECT_FALSE(task->Wait(0, false)) << int(status);
        task->SetStatus(dsExecuted);
        EXPECT_TRUE(task->Wait(0, false)) << int(status);
    }
    task->SetStatus(dsWaiting);
    EXPECT_FALSE(task->Wait(20, false));
}

TEST(DelayedTest, WaiterOnAnotherThreadIsReleasedByCompletion) {
    const auto task = TDelayedProc<>::Make([] {});
    TEvent waiting(true);
    bool released = false;
    std::thread waiter([&] {
        waiting.Set();
        released = task->Wait(kInfinite, false);
    });
    waiting.Wait();
    task->SharedExecute();
    waiter.join();
    EXPECT_TRUE(released);
}

TEST(DelayedTest, FunctionTaskKeepsItsResultAndRunsAgainWhenReMarked) {
    int calls = 0;
    const auto task = TDelayedFunc<int, int>::Make(
        [&](int aValue) {
            ++calls;
            return aValue * 10 + calls;
        },
        4);
    EXPECT_EQ(task->Execute(), 41);
    EXPECT_EQ(task->Result(), 41);
    task->SetStatus(dsWaiting);
    EXPECT_FALSE(task->Wait(0, false));
    task->SharedExecute();
    EXPECT_EQ(task->Result(), 42);
}

TEST(DelayedTest, ResultBlocksUntilTheFunctionHasRunElsewhere) {
    const auto task = TDelayedFunc<std::string, std::string>::Make(
        [](const std::string& aText) { return aText + "!"; }, "done");
    std::thread runner([&] { task->SharedExecute(); });
    EXPECT_EQ(task->Result(), "done!");
    runner.join();
}

TEST(DelayedTest, FailingBodyLeavesTheTaskExecutedAndTheErrorInItsResult) {
    const auto proc = TDelayedProc<>::Make([] { throw std::runtime_error("proc failed"); });
    EXPECT_THROW(proc->SharedExecute(), std::runtime_error);
    EXPECT_EQ(proc->Status(), dsExecuted);

    const auto func = TDelayedFunc<int, int>::Make(
        [](int) -> int { throw std::runtime_error("func failed"); }, 1);
    EXPECT_THROW(func->SharedExecute(), std::runtime_error);
    EXPECT_EQ(func->Status(), dsExecuted);
    try {
        func->Result();
        FAIL() << "Result must rethrow";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "func failed");
    }
}

TEST(DelayedTest, MakeRejectsEmptyBodies) {
    EXPECT_THROW(TDelayedProc<>::Make(nullptr), std::invalid_argument);
    EXPECT_THROW((TDelayedFunc<int, int>::Make(nullptr, 1)), std::invalid_argument);
}

TEST(DelayedTest, NonFreezingWaitGivesUpWhenTheApplicationIsTerminating) {
    const auto task = TDelayedProc<>::Make([] {});
    SetApplicationTerminating(true);
    const bool nonFreezing = task->Wait(kInfinite, true);
    SetApplicationTerminating(false);
    EXPECT_FALSE(nonFreezing);
    EXPECT_FALSE(task->Wait(60, true)); // a finite non-freezing wait times out
}
