#pragma once
// The process-wide task machinery a front end brings up for its lifetime: the
// main-thread dispatcher and DefaultPool (at most 1000 workers, none kept ready) with
// its list DefaultTasks, to which components add one-off background procedures.

#include "tasks/delayed_list.h"
#include "tasks/main_thread.h"
#include "tasks/overlapped_pool.h"

namespace brivane {

// One at a time per process. On destruction it marks the application as terminating
// (waits give up, queued main-thread calls are dropped and their callers released),
// releases DefaultTasks, then DefaultPool, removes the dispatcher and clears the flag.
class TTaskRuntime {
public:
    // Without a dispatcher, a TMainLoop for the constructing thread is installed.
    explicit TTaskRuntime(IMainThreadDispatcherPtr aDispatcher = nullptr);
    ~TTaskRuntime();
    TTaskRuntime(const TTaskRuntime&) = delete;
    TTaskRuntime& operator=(const TTaskRuntime&) = delete;

    const IMainThreadDispatcherPtr& Dispatcher() const { return fDispatcher; }

private:
    IMainThreadDispatcherPtr fDispatcher;
};

// Both throw std::logic_error while no TTaskRuntime exists.
IOverlappedPoolPtr DefaultPool();
TDelayedList DefaultTasks();

} // namespace brivane
