#include "tasks/overlapped_thread.h"

#include "tasks/main_thread.h"

namespace brivane {

TOverlappedThread::TOverlappedThread(TDelayedList aTasks, platform::TThreadPriority aPriority,
                                     std::function<void()> aOnEmptyStep)
    : fTasks(std::move(aTasks)), fOnEmptyStep(std::move(aOnEmptyStep)), fPriority(aPriority),
      fThread([this] { Execute(); }) {}

TOverlappedThread::~TOverlappedThread() {
    Terminate();
    if (fThread.joinable()) {
        fThread.join();
    }
}

bool TOverlappedThread::PickupTask() {
    auto expected = tsReady;
    if (!fStatus.compare_exchange_strong(expected, tsBusy)) {
        return false;
    }
    fHandedOut.store(true);
    WakeUp();
    return true;
}

void TOverlappedThread::Terminate() {
    auto status = fStatus.load();
    while (status != tsTerminated && !fStatus.compare_exchange_weak(status, tsTerminating)) {
    }
    WakeUp();
}

void TOverlappedThread::SetPriority(platform::TThreadPriority aPriority) {
    std::lock_guard lock(fPriorityLock);
    fPriority = aPriority;
    if (fThreadId != 0) {
        platform::SetThreadPriority(fThreadId, aPriority);
    }
}

void TOverlappedThread::Execute() {
    {
        std::lock_guard lock(fPriorityLock);
        fThreadId = platform::CurrentNativeThreadId();
        if (fPriority != platform::tpNormal) {
            platform::SetThreadPriority(fThreadId, fPriority);
        }
    }
    // Only the worker's own step turns busy back into ready; a Terminate that came first
    // wins, so the loop below sees it.
    const auto ready = [this] {
        auto expected = tsBusy;
        fStatus.compare_exchange_strong(expected, tsReady);
    };
    fWakeUp.Wait();
    while (fStatus.load() != tsTerminating && !ApplicationTerminating()) {
        bool ran = false;
        // Cleared before the claim, never after it: a dispatch that looks in between
        // then sees one waiting task too many (an extra worker finds nothing and the
        // pool shrinks again), never one too few (a task left without a worker).
        fHandedOut.store(false);
        try {
            ran = fTasks.ExecuteOne(ready);
        } catch (...) {
            // A failed task is already marked executed and out of the way; the worker
            // goes on with the next one.
            ran = true;
        }
        if (!ran) {
            fOnEmptyStep();
        }
        fWakeUp.Wait();
    }
    fStatus.store(tsTerminated);
    fTerminated.store(true);
}

} // namespace brivane
