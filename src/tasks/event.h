#pragma once
// A kernel-style event on a mutex and a condition variable. A manual-reset event stays
// signalled until Reset; an auto-reset event lets exactly one wait through per Set and
// resets itself as that wait returns, so a Set between two waits is never lost.

#include "tasks/wait_timeout.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace brivane {

class TEvent {
public:
    explicit TEvent(bool aManualReset, bool aInitialState = false)
        : fManualReset(aManualReset), fSignalled(aInitialState) {}
    TEvent(const TEvent&) = delete;
    TEvent& operator=(const TEvent&) = delete;

    void Set();
    void Reset();
    // True when the event was signalled before the timeout passed.
    bool Wait(std::uint32_t aTimeout = kInfinite) { return WaitUntil(TDeadline(aTimeout)); }
    bool WaitUntil(const TDeadline& aDeadline);

private:
    const bool fManualReset;
    std::mutex fLock;
    std::condition_variable fChanged;
    bool fSignalled;
};

} // namespace brivane
