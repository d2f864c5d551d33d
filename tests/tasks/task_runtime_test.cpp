#include "tasks/event.h"
#include "tasks/task_runtime.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>

using namespace brivane;

TEST(TaskRuntimeTest, DefaultTasksRunOnTheDefaultPool) {
    EXPECT_THROW(DefaultPool(), std::logic_error);
    EXPECT_THROW(DefaultTasks(), std::logic_error);
    {
        TTaskRuntime runtime;
        EXPECT_THROW(TTaskRuntime(), std::logic_error);
        EXPECT_EQ(DefaultPool()->MaxThreads(), 1000);
        EXPECT_EQ(DefaultPool()->ActiveThreads(), 0);
        std::atomic<int> done{0};
        for (int i = 0; i < 5; ++i) {
            DefaultTasks() <= [&] { ++done; };
        }
        EXPECT_TRUE(DefaultTasks().Wait(kInfinite, true));
        EXPECT_EQ(done, 5);
    }
    EXPECT_THROW(DefaultTasks(), std::logic_error);
    EXPECT_FALSE(ApplicationTerminating());
}

TEST(TaskRuntimeTest, ShutdownReleasesATaskWaitingForTheMainThread) {
    TEvent started(true);
    std::string error;
    {
        TTaskRuntime runtime;
        DefaultTasks() <= [&] {
            started.Set();
            try {
                RunInMainThread([] {});
            } catch (const std::runtime_error& e) {
                error = e.what();
            }
        };
        started.Wait(); // the main thread never pumps: the task stays blocked
    }
    EXPECT_EQ(error, "The main thread stopped before running the procedure");
}
