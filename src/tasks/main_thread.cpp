#include "tasks/main_thread.h"

#include "tasks/event.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <stdexcept>

namespace brivane {

namespace {

std::mutex gDispatcherLock;
IMainThreadDispatcherPtr gDispatcher;
std::atomic<bool> gTerminating{false};

// One RunInMainThread call: the caller waits on fDone, which is set once the posted
// procedure is gone, whether it ran or was dropped by a shut-down dispatcher.
struct TMainThreadCall {
    TEvent fDone{true};
    std::exception_ptr fError;
    bool fRan = false;
};

} // namespace

void SetMainThreadDispatcher(IMainThreadDispatcherPtr aDispatcher) {
    std::lock_guard lock(gDispatcherLock);
    gDispatcher = std::move(aDispatcher);
}

IMainThreadDispatcherPtr MainThreadDispatcher() {
    std::lock_guard lock(gDispatcherLock);
    return gDispatcher;
}

bool RunInMainThread(const std::function<void()>& aProc) {
    const auto dispatcher = MainThreadDispatcher();
    if (!dispatcher) {
        throw std::logic_error("No main-thread dispatcher is installed");
    }
    if (dispatcher->IsMainThread()) {
        aProc();
        return false;
    }
    const auto call = std::make_shared<TMainThreadCall>();
    {
        // Every copy of the posted procedure holds the guard; the last one to go,
        // after running or unrun, releases the caller.
        std::shared_ptr<void> guard(nullptr, [call](void*) { call->fDone.Set(); });
        dispatcher->Post([call, guard, &aProc] {
            try {
                aProc();
            } catch (...) {
                call->fError = std::current_exception();
            }
            call->fRan = true;
        });
    }
    call->fDone.Wait();
    // Taken out, so that this thread alone owns the exception from here on.
    if (auto error = std::move(call->fError)) {
        std::rethrow_exception(error);
    }
    if (!call->fRan) {
        throw std::runtime_error("The main thread stopped before running the procedure");
    }
    return true;
}

void ProcessPendingMessages() {
    if (const auto dispatcher = MainThreadDispatcher(); dispatcher && dispatcher->IsMainThread()) {
        dispatcher->ProcessPending(kMaxMessagesPerPump);
    }
}

bool ApplicationTerminating() {
    return gTerminating.load();
}

void SetApplicationTerminating(bool aValue) {
    gTerminating.store(aValue);
}

} // namespace brivane
