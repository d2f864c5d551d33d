#include "tasks/delayed_list.h"

#include "tasks/event.h"
#include "tasks/main_thread.h"

#include <algorithm>
#include <deque>
#include <mutex>

namespace brivane {

struct TDelayedList::TState {
    explicit TState(TProc aOnChange)
        : fOnChange(aOnChange ? std::make_shared<const TProc>(std::move(aOnChange)) : nullptr) {}

    // The finalizer: the handler goes first, then the tasks.
    ~TState() {
        fOnChange.reset();
        fList.clear();
    }

    std::mutex fCS;
    std::deque<IExecutablePtr> fList;
    // Set each time a worker finishes a task of this list.
    TEvent fStatusChangeEvent{false};
    // Shared so that a notification copies it under the lock without allocating.
    std::shared_ptr<const TProc> fOnChange;
};

namespace {

std::string MessageOf(const std::exception_ptr& aError) {
    try {
        std::rethrow_exception(aError);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown exception";
    }
}

bool Selects(TDelayedStatuses aSelection, TDelayedStatus aStatus) {
    return aSelection.Empty() || aSelection.Contains(aStatus);
}

bool IsPending(TDelayedStatus aStatus) {
    return aStatus == dsWaiting || aStatus == dsInProgress;
}

} // namespace

TDelayedList TDelayedList::Make(TProc aOnChange) {
    return TDelayedList(std::make_shared<TState>(std::move(aOnChange)));
}

TDelayedList::TState& TDelayedList::State() const {
    if (!fState) {
        throw std::logic_error("The task list handle is empty");
    }
    return *fState;
}

void TDelayedList::NotifyChange(const std::shared_ptr<const TProc>& aHandler,
                                bool aSetEvent) const {
    std::exception_ptr error;
    if (aHandler) {
        try {
            (*aHandler)();
        } catch (...) {
            error = std::current_exception();
        }
    }
    if (aSetEvent) {
        State().fStatusChangeEvent.Set();
    }
    if (error) {
        throw TAssertionFailure(MessageOf(error));
    }
}

TDelayedList TDelayedList::Add(IExecutablePtr aTask) const {
    if (!aTask) {
        throw std::invalid_argument("Cannot add an empty task");
    }
    auto& state = State();
    std::shared_ptr<const TProc> handler;
    {
        std::lock_guard lock(state.fCS);
        state.fList.push_back(std::move(aTask));
        handler = state.fOnChange;
    }
    NotifyChange(handler, false);
    return *this;
}

TDelayedList TDelayedList::operator<=(TProc aProc) const {
    return Add(TDelayedProc<>::Make(std::move(aProc)));
}

IExecutablePtr TDelayedList::operator>=(TProc aProc) const {
    auto task = TDelayedProc<>::Make(std::move(aProc));
    Add(task);
    return task;
}

TDelayedList TDelayedList::Remove(const TExecutables& aList) const {
    auto& state = State();
    std::shared_ptr<const TProc> handler;
    TExecutables removed;
    {
        std::lock_guard lock(state.fCS);
        for (const auto& task : aList) {
            if (const auto it = std::find(state.fList.begin(), state.fList.end(), task);
                it != state.fList.end()) {
                removed.push_back(std::move(*it));
                state.fList.erase(it);
            }
        }
        handler = state.fOnChange;
    }
    // A wait on the list may be blocked on one of them; let it look again.
    for (const auto& task : removed) {
        task->Nudge();
    }
    NotifyChange(handler, false);
    return *this;
}

TExecutables TDelayedList::Select(TDelayedStatuses aSelectStatus, TDelayedStatus aNewStatus) const {
    auto& state = State();
    std::shared_ptr<const TProc> handler;
    TExecutables selected;
    {
        std::lock_guard lock(state.fCS);
        for (const auto& task : state.fList) {
            if (Selects(aSelectStatus, task->Status())) {
                selected.push_back(task);
            }
        }
        if (aNewStatus != dsNone) {
            for (const auto& task : selected) {
                task->SetStatus(aNewStatus);
            }
        }
        handler = state.fOnChange;
    }
    NotifyChange(handler, false);
    return selected;
}

bool TDelayedList::ChangeStatus(TDelayedStatuses aSelectStatus, TDelayedStatus aNewStatus) const {
    auto& state = State();
    std::shared_ptr<const TProc> handler;
    bool matched = false;
    {
        std::lock_guard lock(state.fCS);
        for (const auto& task : state.fList) {
            if (Selects(aSelectStatus, task->Status())) {
                task->SetStatus(aNewStatus);
                matched = true;
            }
        }
        handler = state.fOnChange;
    }
    NotifyChange(handler, false);
    return matched;
}

void TDelayedList::Clear(TDelayedStatuses aSelectStatus) const {
    Remove(Select(aSelectStatus, dsExecuted));
}

int TDelayedList::Count() const {
    auto& state = State();
    std::lock_guard lock(state.fCS);
    return static_cast<int>(state.fList.size());
}

int TDelayedList::CountOf(TDelayedStatus aStatus, int aLimit) const {
    auto& state = State();
    std::lock_guard lock(state.fCS);
    int count = 0;
    for (auto it = state.fList.begin(); it != state.fList.end() && count < aLimit; ++it) {
        count += (*it)->Status() == aStatus ? 1 : 0;
    }
    return count;
}

std::pair<IExecutablePtr, std::uint64_t> TDelayedList::FirstPending() const {
    auto& state = State();
    std::lock_guard lock(state.fCS);
    for (const auto& task : state.fList) {
        if (IsPending(task->Status())) {
            return {task, task->Changes()};
        }
    }
    return {nullptr, 0};
}

bool TDelayedList::Wait(std::uint32_t aTimeout, bool aNonFreeze) const {
    const TDeadline deadline(aTimeout);
    for (auto [pending, since] = FirstPending(); pending;
         std::tie(pending, since) = FirstPending()) {
        if (deadline.Reached() || ApplicationTerminating()) {
            break;
        }
        // Returns as soon as the task settles or is re-marked or removed, so a task
        // that gets parked while we wait is not waited for.
        pending->WaitForChange(since, deadline, aNonFreeze);
    }
    return FirstPending().first == nullptr;
}

bool TDelayedList::ExecuteOne(const TProc& aExecuteNotify) const {
    auto& state = State();
    IExecutablePtr task;
    {
        std::lock_guard lock(state.fCS);
        for (const auto& candidate : state.fList) {
            if (candidate->Status() == dsWaiting) {
                candidate->SetStatus(dsInProgress);
                task = candidate;
                break;
            }
        }
    }
    std::exception_ptr taskError;
    if (task) {
        try {
            task->SharedExecute();
        } catch (...) {
            taskError = std::current_exception();
            // A body that bypassed the task's own bookkeeping must not stay claimed.
            if (task->Status() == dsInProgress) {
                task->SetStatus(dsExecuted);
            }
        }
    }
    std::exception_ptr notifyError;
    if (aExecuteNotify) {
        try {
            aExecuteNotify();
        } catch (...) {
            notifyError = std::current_exception();
        }
    }
    std::exception_ptr changeError;
    if (task) {
        std::shared_ptr<const TProc> handler;
        {
            std::lock_guard lock(state.fCS);
            if (!dynamic_cast<const IResultableBase*>(task.get())) {
                if (const auto it = std::find(state.fList.begin(), state.fList.end(), task);
                    it != state.fList.end()) {
                    state.fList.erase(it);
                }
            }
            handler = state.fOnChange;
        }
        try {
            NotifyChange(handler, true);
        } catch (...) {
            changeError = std::current_exception();
        }
    }
    if (taskError) {
        std::rethrow_exception(taskError);
    }
    if (notifyError) {
        throw TAssertionFailure(MessageOf(notifyError));
    }
    if (changeError) {
        std::rethrow_exception(changeError);
    }
    return task != nullptr;
}

void TDelayedList::WaitForExecuted(const TDeadline& aDeadline) const {
    const auto anyExecuted = [this] {
        auto& state = State();
        std::lock_guard lock(state.fCS);
        return std::any_of(state.fList.begin(), state.fList.end(),
                           [](const auto& aTask) { return aTask->Status() == dsExecuted; });
    };
    while (!anyExecuted() && !aDeadline.Reached()) {
        State().fStatusChangeEvent.WaitUntil(aDeadline);
    }
}

TExecutables
TDelayedList::TakeExecuted(const std::function<bool(const IExecutable&)>& aAccept) const {
    auto& state = State();
    TExecutables taken;
    std::lock_guard lock(state.fCS);
    auto kept = state.fList.begin();
    for (auto it = state.fList.begin(); it != state.fList.end(); ++it) {
        if ((*it)->Status() == dsExecuted && aAccept(**it)) {
            taken.push_back(std::move(*it));
        } else {
            if (kept != it) {
                *kept = std::move(*it);
            }
            ++kept;
        }
    }
    state.fList.erase(kept, state.fList.end());
    return taken;
}

} // namespace brivane
