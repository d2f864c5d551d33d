#include "tasks/delayed_list.h"
#include "tasks/event.h"
#include "tasks/main_thread.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace brivane;

namespace {

// A list whose change handler counts its calls.
struct TCountedList {
    int fChanges = 0;
    TDelayedList fList = TDelayedList::Make([this] { ++fChanges; });
};

std::vector<TDelayedStatus> StatusesOf(const TExecutables& aTasks) {
    std::vector<TDelayedStatus> result;
    for (const auto& task : aTasks) {
        result.push_back(task->Status());
    }
    return result;
}

} // namespace

TEST(DelayedListTest, SelectsReMarksCountsAndRemoves) {
    const auto list = TDelayedList::Make();
    const auto a = list >= [] {};
    const auto b = list >= [] {};
    const auto c = list >= [] {};
    c->SetStatus(dsIgnore);

    EXPECT_EQ(list.Select({}), (TExecutables{a, b, c}));
    EXPECT_EQ(StatusesOf(list.Select({})), (std::vector{dsWaiting, dsWaiting, dsIgnore}));
    EXPECT_TRUE(list.Select({dsExecuted}).empty());
    EXPECT_EQ(list.Select({dsWaiting, dsIgnore}, dsInProgress), (TExecutables{a, b, c}));
    EXPECT_EQ(list.CountOf(dsInProgress), 3);
    EXPECT_EQ(list.CountOf(dsInProgress, 2), 2);
    EXPECT_TRUE(list.ChangeStatus({dsInProgress}, dsWaiting));
    EXPECT_EQ(list.CountOf(dsWaiting), 3);

    // Duplicates are allowed; removal takes the first occurrence, absent tasks are skipped.
    list <= a;
    list.Remove({a, TDelayedProc<>::Make([] {})});
    EXPECT_EQ(list.Select({}), (TExecutables{b, c, a}));
    list >= TExecutables{b, c, a};
    EXPECT_EQ(list.Count(), 0);
}

TEST(DelayedListTest, EveryChangeNotifiesAndLookingDoesNot) {
    TCountedList counted;
    const auto& list = counted.fList;
    const auto task = list >= [] {};
    list <= [] {};
    EXPECT_EQ(counted.fChanges, 2);

    list.Count();
    list.CountOf(dsWaiting);
    list.Wait(0, false);
    list.PickupResults<int>(false);
    EXPECT_EQ(counted.fChanges, 2);

    list.Select({dsExecuted});
    EXPECT_FALSE(list.ChangeStatus({dsExecuted}, dsWaiting)); // matches nothing, still notifies
    list.Remove({task});
    EXPECT_EQ(counted.fChanges, 5);
}

TEST(DelayedListTest, HandlerFailureBecomesAnAssertionWithItsMessage) {
    const auto list = TDelayedList::Make([] { throw std::runtime_error("handler broke"); });
    try {
        list <= [] {};
        FAIL() << "the handler's exception must reach the caller";
    } catch (const TAssertionFailure& e) {
        EXPECT_STREQ(e.what(), "handler broke");
    }
    EXPECT_EQ(list.Count(), 1); // the change itself happened
}

TEST(DelayedListTest, ExecuteOneRunsInOrderAndKeepsOnlyFunctionTasks) {
    TCountedList counted;
    const auto& list = counted.fList;
    std::string order;
    list <= [&] { order += "p"; };
    const auto func = list.AgentFunc<int, int>([&](int aValue) {
        order += "f";
        return aValue + 1;
    })(1);
    int notified = 0;
    const auto notify = [&] { ++notified; };

    EXPECT_TRUE(list.ExecuteOne(notify));
    EXPECT_EQ(list.Count(), 1);
    EXPECT_TRUE(list.ExecuteOne(notify));
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(func->Status(), dsExecuted);
    EXPECT_FALSE(list.ExecuteOne(notify)); // nothing waiting: notify still runs
    EXPECT_EQ(order, "pf");
    EXPECT_EQ(notified, 3);
    EXPECT_EQ(counted.fChanges, 2 + 2); // two adds, two finished tasks
}

TEST(DelayedListTest, FailingTaskIsFinishedAndReportedByExecuteOne) {
    TCountedList counted;
    const auto& list = counted.fList;
    const auto task = list >= [] { throw std::runtime_error("body failed"); };
    int notified = 0;
    EXPECT_THROW(list.ExecuteOne([&] { ++notified; }), std::runtime_error);
    EXPECT_EQ(task->Status(), dsExecuted);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(counted.fChanges, 2);

    list <= [] {};
    EXPECT_THROW(list.ExecuteOne([] { throw std::runtime_error("notify failed"); }),
                 TAssertionFailure);
    EXPECT_EQ(list.Count(), 0);
}

TEST(DelayedListTest, ClearOfARunningTaskReleasesItsWaitersAtOnce) {
    TCountedList counted;
    const auto& list = counted.fList;
    TEvent started(true);
    TEvent proceed(true);
    const auto task = list >= [&] {
        started.Set();
        proceed.Wait();
    };
    std::thread worker([&] { list.ExecuteOne(); });
    started.Wait();
    EXPECT_EQ(task->Status(), dsInProgress);

    list.Clear({});
    EXPECT_TRUE(task->Wait(0, false));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(list.Wait(0, false));
    const int changesAfterClear = counted.fChanges;

    proceed.Set();
    worker.join();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(counted.fChanges, changesAfterClear + 1);
}

TEST(DelayedListTest, WaitHonoursTimeoutsAndIgnoresParkedTasks) {
    const auto list = TDelayedList::Make();
    EXPECT_TRUE(list.Wait(0, false)); // empty
    const auto parked = list >= [] {};
    parked->SetStatus(dsIgnore);
    EXPECT_TRUE(list.Wait(kInfinite, false));

    list <= [] {};
    EXPECT_FALSE(list.Wait(0, false));
    EXPECT_FALSE(list.Wait(0, true));
    EXPECT_FALSE(list.Wait(30, false));
    EXPECT_FALSE(list.Wait(30, true));

    std::thread worker([&] { list.ExecuteOne(); });
    EXPECT_TRUE(list.Wait(kInfinite, false));
    worker.join();

    SetApplicationTerminating(true);
    list <= [] {};
    const bool whileTerminating = list.Wait(kInfinite, false);
    SetApplicationTerminating(false);
    EXPECT_FALSE(whileTerminating);
}

TEST(DelayedListTest, WaitEndsWhenItsPendingTaskIsParkedOrRemoved) {
    const auto list = TDelayedList::Make();
    for (const bool park : {true, false}) {
        const auto task = list >= [] {};
        TEvent waiting(true);
        std::thread waiter([&] {
            waiting.Set();
            EXPECT_TRUE(list.Wait(kInfinite, false));
        });
        waiting.Wait();
        if (park) {
            list.ChangeStatus({dsWaiting}, dsIgnore);
        } else {
            list.Remove({task});
        }
        waiter.join();
        list.Clear();
    }
}

TEST(DelayedListTest, PickupResultsTakesOnlyExecutedResultsOfItsType) {
    const auto list = TDelayedList::Make();
    EXPECT_TRUE(list.PickupResults<int>(false).empty());

    const auto square = list.AgentFunc<int, int>([](int aValue) { return aValue * aValue; });
    const auto spell = list.AgentFunc<int, std::string>(
        [](int aValue) { return std::string(static_cast<std::size_t>(aValue), '*'); });
    square(2);
    spell(3);
    square(4);
    const auto last = spell(1);
    list <= [] {};
    while (list.ExecuteOne()) {
    }
    last->SetStatus(dsWaiting); // not executed: not picked up

    const auto numbers = list.PickupResults<int>(false);
    ASSERT_EQ(numbers.size(), 2u);
    EXPECT_EQ(numbers[0]->Result(), 4);
    EXPECT_EQ(numbers[1]->Result(), 16);
    const auto texts = list.PickupResults<std::string>(false);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->Result(), "***");
    EXPECT_EQ(list.Count(), 1);
    EXPECT_TRUE(list.PickupResults<double>(true, 0).empty());
}

TEST(DelayedListTest, PickupResultsWaitsForAWorkerToFinish) {
    const auto list = TDelayedList::Make();
    list.AgentFunc<int, int>([](int aValue) { return -aValue; })(5);
    EXPECT_TRUE(list.PickupResults<int>(true, 20).empty()); // nobody runs it
    std::thread worker([&] { list.ExecuteOne(); });
    const auto results = list.PickupResults<int>(true, kInfinite);
    worker.join();
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0]->Result(), -5);
}

TEST(DelayedListTest, ReMarkedExecutedFunctionTaskRunsAgain) {
    const auto list = TDelayedList::Make();
    int calls = 0;
    const auto task = list.AgentFunc<int, int>([&](int aValue) { return aValue + ++calls; })(10);
    list.ExecuteOne();
    EXPECT_EQ(task->Result(), 11);
    EXPECT_TRUE(list.ChangeStatus({dsExecuted}, dsWaiting));
    EXPECT_FALSE(task->Wait(0, false));
    EXPECT_TRUE(list.ExecuteOne());
    EXPECT_EQ(task->Result(), 12);
}

TEST(DelayedListTest, AgentsBindTheirCallArguments) {
    const auto list = TDelayedList::Make();
    std::vector<std::string> seen;
    const auto none = list.AgentProc([&] { seen.push_back("none"); });
    const auto one =
        list.AgentProc<int>([&](int aValue) { seen.push_back(std::to_string(aValue)); });
    const auto two = list.AgentProc<std::string, int>([&](const std::string& aText, int aValue) {
        seen.push_back(aText + std::to_string(aValue));
    });
    none();
    one(1);
    two("x", 2);
    EXPECT_EQ(list.Count(), 3);
    while (list.ExecuteOne()) {
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"none", "1", "x2"}));
    EXPECT_THROW(list.AgentProc(nullptr), std::invalid_argument);
}

TEST(DelayedListTest, SharedStateIsFinalizedAfterItsLastHandle) {
    auto token = std::make_shared<int>(0);
    const std::weak_ptr<int> handlerAlive = token;
    auto list = TDelayedList::Make([token = std::move(token)] {});
    auto copy = list;
    std::function<void()> agent = list.AgentProc([] {});
    auto task = list >= [] {};
    const std::weak_ptr<IExecutable> taskAlive = task;
    task.reset();

    list.Release();
    copy.Release();
    EXPECT_THROW(list.Count(), std::logic_error);
    EXPECT_FALSE(handlerAlive.expired()); // the agent still holds a handle
    EXPECT_FALSE(taskAlive.expired());
    agent = nullptr;
    EXPECT_TRUE(handlerAlive.expired());
    EXPECT_TRUE(taskAlive.expired());
}
