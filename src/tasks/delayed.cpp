#include "tasks/delayed.h"

#include "tasks/main_thread.h"

namespace brivane {

namespace {

// A non-freezing wait blocks at most this long before it pumps the main thread.
constexpr std::chrono::milliseconds kWaitSlice{50};

} // namespace

void TDelayedP::SetStatus(TDelayedStatus aStatus) {
    {
        std::lock_guard lock(fSyncLock);
        fStatus.store(aStatus);
        ++fChanges;
        if (aStatus == dsExecuted) {
            ++fCompletions;
        }
    }
    fSync.notify_all();
}

void TDelayedP::Nudge() {
    {
        std::lock_guard lock(fSyncLock);
        ++fChanges;
    }
    fSync.notify_all();
}

template <class TDone>
bool TDelayedP::WaitFor(const TDeadline& aDeadline, bool aNonFreeze, TDone aDone) {
    std::unique_lock lock(fSyncLock);
    if (!aNonFreeze) {
        if (aDeadline.Infinite()) {
            fSync.wait(lock, aDone);
            return true;
        }
        return fSync.wait_until(lock, aDeadline.At(), aDone);
    }
    while (!aDone()) {
        if (aDeadline.Reached() || ApplicationTerminating()) {
            return false;
        }
        fSync.wait_until(lock, aDeadline.AtMost(kWaitSlice), aDone);
        lock.unlock();
        ProcessPendingMessages();
        lock.lock();
    }
    return true;
}

bool TDelayedP::Wait(std::uint32_t aTimeout, bool aNonFreeze) {
    std::uint64_t start;
    {
        std::lock_guard lock(fSyncLock);
        start = fCompletions;
    }
    return WaitFor(TDeadline(aTimeout), aNonFreeze,
                   [&] { return fStatus.load() == dsExecuted || fCompletions != start; });
}

std::uint64_t TDelayedP::Changes() {
    std::lock_guard lock(fSyncLock);
    return fChanges;
}

void TDelayedP::WaitForChange(std::uint64_t aSince, const TDeadline& aDeadline, bool aNonFreeze) {
    WaitFor(aDeadline, aNonFreeze, [&] {
        const auto status = fStatus.load();
        return (status != dsWaiting && status != dsInProgress) || fChanges != aSince;
    });
}

} // namespace brivane
