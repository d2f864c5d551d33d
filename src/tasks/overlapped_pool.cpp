#include "tasks/overlapped_pool.h"

#include "tasks/main_thread.h"
#include "tasks/overlapped_thread.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

namespace brivane {

using TWorkers = std::vector<std::unique_ptr<TOverlappedThread>>;

class TOverlappedPool::TCore {
public:
    // Runs on whichever thread changed the list or wrote a property.
    void Dispatch();
    void Shutdown();

    std::atomic<bool> fDestroyed{false};
    std::atomic<bool> fTerminating{false};
    std::atomic<bool> fActive{false};
    std::atomic<int> fMaxThreads{0};
    std::atomic<int> fStandbyThreads{0};
    std::atomic<platform::TThreadPriority> fPriority{platform::tpNormal};
    mutable std::mutex fCS;
    // Under fCS: the workers in creation order; workers ended by a shrink, joined once
    // their loop has ended; the change procedure.
    TWorkers fThreads;
    TWorkers fRetired;
    std::shared_ptr<const std::function<void()>> fOnChange;
    // Set once by Make, before any worker or dispatch exists.
    TDelayedList fTasks;

private:
    int CountIdle() const;
    int Unserved(int aWaiting) const;
    void Grow(int aWaiting);
    void HandOut(int aWaiting);
    void Shrink(int aWaiting);
};

int TOverlappedPool::TCore::CountIdle() const {
    return static_cast<int>(
        std::count_if(fThreads.begin(), fThreads.end(),
                      [](const auto& aWorker) { return aWorker->Status() != tsBusy; }));
}

// Waiting tasks for which no worker has been woken yet. Workers clear their hand-out
// before they claim a task, and the tasks are counted before the hand-outs, so a worker
// between the two steps makes this one too high, never too low.
int TOverlappedPool::TCore::Unserved(int aWaiting) const {
    const auto handedOut = std::count_if(fThreads.begin(), fThreads.end(),
                                         [](const auto& aWorker) { return aWorker->HandedOut(); });
    return std::max(0, aWaiting - static_cast<int>(handedOut));
}

void TOverlappedPool::TCore::Grow(int aWaiting) {
    const int idle = CountIdle();
    // New workers are idle; HandOut gives them work.
    while ((aWaiting - idle > 0 && static_cast<int>(fThreads.size()) < fMaxThreads.load()) ||
           static_cast<int>(fThreads.size()) < fStandbyThreads.load()) {
        fThreads.push_back(
            std::make_unique<TOverlappedThread>(fTasks, fPriority.load(), [this] { Dispatch(); }));
        --aWaiting;
    }
}

void TOverlappedPool::TCore::HandOut(int aWaiting) {
    for (auto it = fThreads.begin(); it != fThreads.end() && aWaiting > 0; ++it) {
        if ((*it)->PickupTask()) {
            --aWaiting;
        }
    }
}

void TOverlappedPool::TCore::Shrink(int aWaiting) {
    int excess = CountIdle() - aWaiting - fStandbyThreads.load();
    // Only ready workers end, from the newest; a busy worker finishes its task.
    for (auto i = fThreads.size(); i-- > 0 && excess > 0;) {
        if (fThreads[i]->Status() == tsReady) {
            fThreads[i]->Terminate();
            fRetired.push_back(std::move(fThreads[i]));
            fThreads.erase(fThreads.begin() + static_cast<std::ptrdiff_t>(i));
            --excess;
        }
    }
}

void TOverlappedPool::TCore::Dispatch() {
    if (fDestroyed.load() || fTerminating.load()) {
        return;
    }
    TWorkers finished;
    std::shared_ptr<const std::function<void()>> onChange;
    {
        std::lock_guard lock(fCS);
        if (fTerminating.load()) {
            return;
        }
        // The decisions below never need more unserved tasks than the workers there
        // are or may be, so a long queue is not counted to its end on every change.
        const int count = static_cast<int>(fThreads.size());
        const int limit =
            2 * count + std::max({count, fMaxThreads.load(), fStandbyThreads.load()}) + 1;
        const int waiting = Unserved(fTasks.CountOf(dsWaiting, limit));
        if (fActive.load()) {
            Grow(waiting);
            HandOut(waiting);
        }
        Shrink(waiting);
        for (auto it = fRetired.begin(); it != fRetired.end();) {
            if ((*it)->Terminated()) {
                finished.push_back(std::move(*it));
                it = fRetired.erase(it);
            } else {
                ++it;
            }
        }
        onChange = fOnChange;
    }
    finished.clear(); // joins ended workers outside the lock
    if (onChange) {
        try {
            (*onChange)();
        } catch (...) {
            // The dispatch is complete; a failing observer must not undo it.
        }
    }
}

void TOverlappedPool::TCore::Shutdown() {
    if (fActive.load() && (fMaxThreads.load() > 0 || fStandbyThreads.load() > 0)) {
        fTasks.Wait(kInfinite, false);
    }
    fTerminating.store(true);
    fActive.store(false);
    TWorkers workers;
    {
        std::lock_guard lock(fCS);
        workers = std::move(fThreads);
        std::move(fRetired.begin(), fRetired.end(), std::back_inserter(workers));
        fRetired.clear();
    }
    for (const auto& worker : workers) {
        worker->Terminate();
    }
    workers.clear(); // joins, without the pool lock: a worker may be waiting for it
    fDestroyed.store(true);
}

IOverlappedPoolPtr TOverlappedPool::Make(int aMaxThreads, int aMinThreads) {
    auto core = std::make_shared<TCore>();
    core->fTasks = TDelayedList::Make([weak = std::weak_ptr<TCore>(core)] {
        if (const auto alive = weak.lock()) {
            alive->Dispatch();
        }
    });
    core->fActive.store(true);
    core->fMaxThreads.store(aMaxThreads);
    const auto pool = std::shared_ptr<TOverlappedPool>(new TOverlappedPool(std::move(core)));
    pool->SetMinThreads(aMinThreads);
    return pool;
}

TOverlappedPool::~TOverlappedPool() {
    fCore->Shutdown();
}

bool TOverlappedPool::Active() const {
    return fCore->fActive.load();
}

TDelayedList TOverlappedPool::Tasks() const {
    return fCore->fTasks;
}

int TOverlappedPool::ActiveThreads() const {
    std::lock_guard lock(fCore->fCS);
    return static_cast<int>(fCore->fThreads.size());
}

int TOverlappedPool::MaxThreads() const {
    return fCore->fMaxThreads.load();
}

int TOverlappedPool::MinThreads() const {
    return fCore->fStandbyThreads.load();
}

platform::TThreadPriority TOverlappedPool::Priority() const {
    return fCore->fPriority.load();
}

std::function<void()> TOverlappedPool::OnChange() const {
    std::lock_guard lock(fCore->fCS);
    return fCore->fOnChange ? *fCore->fOnChange : std::function<void()>();
}

void TOverlappedPool::SetActive(bool aValue) {
    fCore->fActive.store(aValue);
    if (aValue) {
        fCore->Dispatch();
    }
}

void TOverlappedPool::SetMaxThreads(int aValue) {
    fCore->fMaxThreads.store(aValue);
    fCore->Dispatch();
}

void TOverlappedPool::SetMinThreads(int aValue) {
    fCore->fStandbyThreads.store(aValue);
    fCore->Dispatch();
}

void TOverlappedPool::SetPriority(platform::TThreadPriority aValue) {
    std::lock_guard lock(fCore->fCS);
    fCore->fPriority.store(aValue);
    for (const auto& worker : fCore->fThreads) {
        worker->SetPriority(aValue);
    }
}

void TOverlappedPool::SetOnChange(std::function<void()> aValue) {
    auto handler =
        aValue ? std::make_shared<const std::function<void()>>(std::move(aValue)) : nullptr;
    std::lock_guard lock(fCore->fCS);
    fCore->fOnChange = std::move(handler);
}

} // namespace brivane
