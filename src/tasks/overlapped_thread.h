#pragma once
// One worker of a pool: a thread that sleeps on its wake-up event and, each time the
// pool hands it work, runs one task of the pool's list. Used only by TOverlappedPool,
// which makes every status change except the worker's own "done, ready again".

#include "platform/threads.h"
#include "tasks/delayed_list.h"
#include "tasks/event.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace brivane {

enum TThreadStatus : std::uint8_t {
    tsReady,       // idle, may be given work
    tsBusy,        // has been given work
    tsTerminating, // asked to end
    tsTerminated,  // its loop has ended
};

class TOverlappedThread {
public:
    // Starts the thread at once. aOnEmptyStep runs on the worker when a wake-up found
    // no task to take (another worker was quicker), so the pool can look again.
    TOverlappedThread(TDelayedList aTasks, platform::TThreadPriority aPriority,
                      std::function<void()> aOnEmptyStep);
    // Ends the thread (as Terminate) and joins it.
    ~TOverlappedThread();
    TOverlappedThread(const TOverlappedThread&) = delete;
    TOverlappedThread& operator=(const TOverlappedThread&) = delete;

    TThreadStatus Status() const { return fStatus.load(); }
    // A ready worker becomes busy and wakes to run one task; false if it was not ready.
    bool PickupTask();
    // True from a hand-out until the woken worker starts looking for its task. The
    // pool subtracts such hand-outs from the waiting tasks, which still count them.
    bool HandedOut() const { return fHandedOut.load(); }
    void WakeUp() { fWakeUp.Set(); }
    // Asks the loop to end after the task in hand, if any.
    void Terminate();
    // True once the loop has ended; joining is then immediate.
    bool Terminated() const { return fTerminated.load(); }
    void SetPriority(platform::TThreadPriority aPriority);

private:
    void Execute();

    std::atomic<TThreadStatus> fStatus{tsReady};
    std::atomic<bool> fHandedOut{false};
    TEvent fWakeUp{false};
    const TDelayedList fTasks;
    std::atomic<bool> fTerminated{false};
    const std::function<void()> fOnEmptyStep;
    std::mutex fPriorityLock;
    platform::TThreadPriority fPriority;
    platform::TNativeThreadId fThreadId = 0; // under fPriorityLock; 0 until the thread runs
    std::thread fThread;                     // last: starts once everything else exists
};

} // namespace brivane
