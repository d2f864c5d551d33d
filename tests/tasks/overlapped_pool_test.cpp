#include "tasks/event.h"
#include "tasks/overlapped_pool.h"

#include "support/wait_condition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <stdexcept>
#include <thread>
#include <vector>

using namespace brivane;
using brivane::test::TWaitCondition;

namespace {

// A pool whose every dispatch is observed: the worker counts seen and the number of
// dispatches, with a condition to wait for a state instead of sleeping.
class TWatchedPool {
public:
    explicit TWatchedPool(IOverlappedPoolPtr aPool) : fPool(std::move(aPool)) {
        fPool->SetOnChange([this] {
            const int threads = fPool->ActiveThreads();
            fMost = std::max(fMost.load(), threads);
            fLeast = std::min(fLeast.load(), threads);
            ++fDispatches;
            fChanged.Poke();
        });
    }
    ~TWatchedPool() { fPool->SetOnChange(nullptr); }

    IOverlappedPool& operator*() const { return *fPool; }
    IOverlappedPool* operator->() const { return fPool.get(); }
    TDelayedList Tasks() const { return fPool->Tasks(); }

    // Waits until the worker count is aThreads after at least aDispatches dispatches.
    bool Settles(int aThreads, int aDispatches = 0) {
        return fChanged.WaitFor(
            [&] { return fDispatches >= aDispatches && fPool->ActiveThreads() == aThreads; });
    }

    std::atomic<int> fMost{0};
    std::atomic<int> fLeast{1 << 30};
    std::atomic<int> fDispatches{0};
    TWaitCondition fChanged;

private:
    IOverlappedPoolPtr fPool;
};

// Adds aCount tasks that wait for aGate, counting how many run at once.
struct TGatedTasks {
    TEvent fGate{true};
    std::atomic<int> fRunning{0};
    std::atomic<int> fDone{0};

    void Add(const TDelayedList& aList, int aCount, TWaitCondition& aChanged) {
        for (int i = 0; i < aCount; ++i) {
            aList <= [this, &aChanged] {
                ++fRunning;
                aChanged.Poke();
                fGate.Wait();
                --fRunning;
                ++fDone;
            };
        }
    }
};

// Counts the threads that end after having touched their thread_local instance.
struct TThreadExit {
    static inline std::atomic<int> fExited{0};
    ~TThreadExit() { ++fExited; }
};

} // namespace

TEST(OverlappedPoolTest, WorkersGrowWithWaitingTasksAndShrinkToTheStandbyThreads) {
    struct TCase {
        const char* fName;
        std::function<IOverlappedPoolPtr()> fMake;
        int fStandby;
        int fTasks;
        int fRunningAtPeak;
        int fMostAllowed;
    };
    const TCase cases[] = {
        {"Make(4, 3)", [] { return TOverlappedPool::Make(4, 3); }, 3, 20, 4, 4},
        // A burst of adds starts about one worker per task, not one per task and per add.
        {"Make(1000, 0)", [] { return TOverlappedPool::Make(1000, 0); }, 0, 40, 40, 59},
        {"Make(5)", [] { return TOverlappedPool::Make(5); }, 5, 30, 5, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fName);
        TWatchedPool pool(c.fMake());
        EXPECT_EQ(pool->ActiveThreads(), c.fStandby);
        TGatedTasks tasks;
        tasks.Add(pool.Tasks(), c.fTasks, pool.fChanged);
        EXPECT_TRUE(pool.fChanged.WaitFor([&] { return tasks.fRunning == c.fRunningAtPeak; }));
        tasks.fGate.Set();
        EXPECT_TRUE(pool.Tasks().Wait(kInfinite, false));
        EXPECT_EQ(tasks.fDone, c.fTasks);
        // Every add and every finished task dispatches at least once.
        EXPECT_TRUE(pool.Settles(c.fStandby, 2 * c.fTasks));
        EXPECT_GE(pool.fMost, c.fRunningAtPeak);
        EXPECT_LE(pool.fMost, c.fMostAllowed);
        EXPECT_GE(pool.fLeast, c.fStandby);
    }
}

TEST(OverlappedPoolTest, ParkedTasksStartNoWorkerUntilResumed) {
    TWatchedPool pool(TOverlappedPool::Make(1000, 0));
    std::atomic<int> done{0};
    for (int i = 0; i < 3; ++i) {
        const auto task = TDelayedProc<>::Make([&] { ++done; });
        task->SetStatus(dsIgnore);
        pool.Tasks() <= task;
    }
    EXPECT_EQ(pool->ActiveThreads(), 0);
    EXPECT_EQ(pool.fMost, 0);
    EXPECT_TRUE(pool.Tasks().Wait(0, false)); // parked tasks are not waited for

    EXPECT_TRUE(pool.Tasks().ChangeStatus({dsIgnore}, dsWaiting));
    EXPECT_TRUE(pool.Tasks().Wait(kInfinite, false));
    EXPECT_EQ(done, 3);
}

TEST(OverlappedPoolTest, InactivePoolLeavesTasksWaitingUntilActivated) {
    TWatchedPool pool(TOverlappedPool::Make(2, 0));
    pool->SetActive(false);
    std::atomic<int> done{0};
    for (int i = 0; i < 3; ++i) {
        pool.Tasks() <= [&] { ++done; };
    }
    EXPECT_EQ(pool->ActiveThreads(), 0);
    EXPECT_EQ(pool.Tasks().CountOf(dsWaiting), 3);
    EXPECT_FALSE(pool.Tasks().Wait(0, false));

    pool->SetActive(true);
    EXPECT_TRUE(pool.Tasks().Wait(kInfinite, false));
    EXPECT_EQ(done, 3);
    EXPECT_LE(pool.fMost, 2);
}

TEST(OverlappedPoolTest, DestructionRunsQueuedTasksAndEndsEveryWorker) {
    TWaitCondition changed;
    TGatedTasks tasks;
    std::atomic<int> queuedDone{0};
    const int exitedBefore = TThreadExit::fExited;
    {
        auto pool = TOverlappedPool::Make(3);
        // One gated task per worker, so that every worker thread registers its exit.
        for (int i = 0; i < 3; ++i) {
            pool->Tasks() <= [&] {
                thread_local TThreadExit exit;
                ++tasks.fRunning;
                changed.Poke();
                tasks.fGate.Wait();
            };
        }
        for (int i = 0; i < 10; ++i) {
            pool->Tasks() <= [&] { ++queuedDone; };
        }
        EXPECT_TRUE(changed.WaitFor([&] { return tasks.fRunning == 3; }));
        tasks.fGate.Set();
    }
    EXPECT_EQ(queuedDone, 10);
    EXPECT_EQ(TThreadExit::fExited, exitedBefore + 3);

    auto idle = TOverlappedPool::Make(4);
    idle.reset(); // returns: every idle worker ends
}

TEST(OverlappedPoolTest, EscapingExceptionEndsTheTaskButNotTheWorker) {
    TWatchedPool pool(TOverlappedPool::Make(1));
    const auto failing = pool.Tasks() >= [] { throw std::runtime_error("task failed"); };
    const auto result = pool.Tasks().AgentFunc<int, int>([](int) -> int { throw 42; })(0);
    std::atomic<bool> ranAfter{false};
    pool.Tasks() <= [&] { ranAfter = true; };
    EXPECT_TRUE(pool.Tasks().Wait(kInfinite, false));
    EXPECT_EQ(failing->Status(), dsExecuted);
    EXPECT_EQ(result->Status(), dsExecuted);
    EXPECT_THROW(result->Result(), int);
    EXPECT_TRUE(ranAfter);
    EXPECT_EQ(pool->ActiveThreads(), 1);
}

TEST(OverlappedPoolTest, PropertiesRedispatch) {
    TWatchedPool pool(TOverlappedPool::Make(2, 0));
    EXPECT_TRUE(pool->Active());
    EXPECT_EQ(pool->MaxThreads(), 2);
    pool->SetMinThreads(2);
    EXPECT_EQ(pool->ActiveThreads(), 2);
    pool->SetMaxThreads(0);
    pool->SetMinThreads(0);
    EXPECT_EQ(pool->ActiveThreads(), 0);
    pool.Tasks() <= [] {}; // no worker may start: the task waits
    EXPECT_EQ(pool->ActiveThreads(), 0);
    EXPECT_EQ(pool.Tasks().CountOf(dsWaiting), 1);
    pool->SetMaxThreads(1);
    EXPECT_TRUE(pool.Tasks().Wait(kInfinite, false));

    pool->SetOnChange([] { throw std::runtime_error("observer failed"); });
    EXPECT_NO_THROW(pool.Tasks() <= [] {});
    EXPECT_TRUE(pool.Tasks().Wait(kInfinite, false));
}

TEST(OverlappedPoolTest, ManyProducersAndWorkersFinishClean) {
    TWatchedPool pool(TOverlappedPool::Make(4, 2));
    const auto list = pool.Tasks();
    constexpr int kProducers = 4;
    constexpr int kPerProducer = 200;
    std::atomic<int> procs{0};
    std::atomic<bool> producing{true};

    std::vector<std::thread> threads;
    for (int p = 0; p < kProducers; ++p) {
        threads.emplace_back([&, p] {
            const auto square =
                list.AgentFunc<int, int>([](int aValue) { return aValue * aValue; });
            const auto count = list.AgentProc<int>([&](int aStep) { procs += aStep; });
            for (int i = 0; i < kPerProducer; ++i) {
                if (i % 2 == 0) {
                    count(1);
                } else {
                    square(p * kPerProducer + i);
                }
            }
        });
    }
    std::thread parker([&] {
        while (producing) {
            list.ChangeStatus({dsWaiting}, dsIgnore);
            list.ChangeStatus({dsIgnore}, dsWaiting);
        }
    });
    std::atomic<long long> squares{0};
    std::atomic<int> collected{0};
    constexpr int kFunctions = kProducers * kPerProducer / 2;
    std::thread collector([&] {
        while (collected < kFunctions) {
            for (const auto& result : list.PickupResults<int>(true, kInfinite)) {
                squares += result->Result();
                ++collected;
            }
        }
    });
    for (int p = 0; p < kProducers; ++p) {
        threads[static_cast<std::size_t>(p)].join();
    }
    producing = false;
    parker.join();
    list.ChangeStatus({dsIgnore}, dsWaiting);
    EXPECT_TRUE(list.Wait(kInfinite, false));
    collector.join();

    long long expected = 0;
    for (int p = 0; p < kProducers; ++p) {
        for (int i = 1; i < kPerProducer; i += 2) {
            expected += static_cast<long long>(p * kPerProducer + i) * (p * kPerProducer + i);
        }
    }
    EXPECT_EQ(procs, kProducers * kPerProducer / 2);
    EXPECT_EQ(squares, expected);
    // A finished procedure task leaves the list just after its status says so.
    EXPECT_TRUE(
        pool.fChanged.WaitFor([&] { return list.Count() == 0 && pool->ActiveThreads() == 2; }));
    EXPECT_LE(pool.fMost, 4);
}
