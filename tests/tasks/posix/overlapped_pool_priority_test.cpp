#include "tasks/overlapped_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace brivane;

namespace {

// Thread priorities are nice values of each thread on Linux.
TEST(OverlappedPoolTest, PriorityReachesExistingAndNewWorkers) {
    const auto niceOfTask = [](const IOverlappedPoolPtr& aPool) {
        return aPool->Tasks()
            .AgentFunc<int, int>([](int) {
                return getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
            })(0)
            ->Result();
    };
    const int base = getpriority(PRIO_PROCESS, 0);
    const auto running = TOverlappedPool::Make(1);
    running->SetPriority(platform::tpLower);
    EXPECT_EQ(running->Priority(), platform::tpLower);
    EXPECT_EQ(niceOfTask(running), std::min(base + 5, 19));

    const auto fresh = TOverlappedPool::Make(2, 0);
    fresh->SetPriority(platform::tpLowest);
    EXPECT_EQ(niceOfTask(fresh), std::min(base + 10, 19));
}

} // namespace
