#include "tasks/task_runtime.h"

#include "tasks/main_loop.h"

#include <mutex>
#include <stdexcept>

namespace brivane {

namespace {

std::mutex gDefaultsLock;
IOverlappedPoolPtr gDefaultPool;
TDelayedList gDefaultTasks;

} // namespace

TTaskRuntime::TTaskRuntime(IMainThreadDispatcherPtr aDispatcher)
    : fDispatcher(aDispatcher ? std::move(aDispatcher) : std::make_shared<TMainLoop>()) {
    std::lock_guard lock(gDefaultsLock);
    if (gDefaultPool) {
        throw std::logic_error("The task runtime is already running");
    }
    SetApplicationTerminating(false);
    SetMainThreadDispatcher(fDispatcher);
    gDefaultPool = TOverlappedPool::Make(1000, 0);
    gDefaultTasks = gDefaultPool->Tasks();
}

TTaskRuntime::~TTaskRuntime() {
    SetApplicationTerminating(true);
    fDispatcher->Shutdown();
    IOverlappedPoolPtr pool;
    {
        std::lock_guard lock(gDefaultsLock);
        gDefaultTasks.Release();
        pool = std::move(gDefaultPool);
    }
    pool.reset(); // outside the lock: its workers may be asking for DefaultTasks
    SetMainThreadDispatcher(nullptr);
    SetApplicationTerminating(false);
}

IOverlappedPoolPtr DefaultPool() {
    std::lock_guard lock(gDefaultsLock);
    if (!gDefaultPool) {
        throw std::logic_error("The task runtime is not running");
    }
    return gDefaultPool;
}

TDelayedList DefaultTasks() {
    std::lock_guard lock(gDefaultsLock);
    if (!gDefaultPool) {
        throw std::logic_error("The task runtime is not running");
    }
    return gDefaultTasks;
}

} // namespace brivane
