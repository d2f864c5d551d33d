#pragma once
// The task list: a small value handle whose copies all share one list of deferred
// tasks. Workers take tasks from it one at a time (ExecuteOne), callers add, select,
// re-mark and wait for them, and a change handler (a pool's dispatcher) hears of every
// change. The shared state is finalized once, after its last handle is gone.

#include "tasks/delayed.h"

#include <climits>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>

namespace brivane {

// What a change handler or a worker's notify procedure raised, rethrown to the thread
// that triggered it with the original message.
class TAssertionFailure : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class TDelayedList {
public:
    using TProc = std::function<void()>;

    // A new list. aOnChange, if set, is called after every change, with no lock held.
    static TDelayedList Make(TProc aOnChange = {});

    // An empty handle; every operation on it throws std::logic_error.
    TDelayedList() = default;

    // Adding: the task, or a procedure wrapped as a new task, is appended.
    TDelayedList Add(IExecutablePtr aTask) const;
    TDelayedList operator<=(IExecutablePtr aTask) const { return Add(std::move(aTask)); }
    TDelayedList operator<=(TProc aProc) const;
    // Adds the procedure and returns its new task.
    IExecutablePtr operator>=(TProc aProc) const;

    // Takes out the first occurrence of each given task; absent ones are skipped.
    TDelayedList Remove(const TExecutables& aList) const;
    TDelayedList operator>=(const TExecutables& aList) const { return Remove(aList); }

    // The tasks whose status is in aSelectStatus, in list order; unless aNewStatus is
    // dsNone, each of them is set to it.
    TExecutables Select(TDelayedStatuses aSelectStatus, TDelayedStatus aNewStatus = dsNone) const;
    // Sets every selected task to aNewStatus; true when at least one matched.
    bool ChangeStatus(TDelayedStatuses aSelectStatus, TDelayedStatus aNewStatus) const;
    // Marks the selected tasks executed, which releases their waiters, and takes them out.
    void Clear(TDelayedStatuses aSelectStatus = {}) const;

    int Count() const;
    // Tasks with that status; counting stops at aLimit.
    int CountOf(TDelayedStatus aStatus, int aLimit = INT_MAX) const;

    // Waits until no task is waiting or in progress; true when that happened within
    // aTimeout milliseconds. Gives up when the application is terminating.
    bool Wait(std::uint32_t aTimeout, bool aNonFreeze) const;
    bool Wait(bool aNonFreeze) const { return Wait(kInfinite, aNonFreeze); }
    template <class T>
    bool Wait(T) const = delete;

    // The worker step: claims the first waiting task, runs it, calls aExecuteNotify
    // (also when nothing was claimed), takes a procedure task out of the list and
    // notifies the change. An exception from the task body is rethrown once all of that
    // is done, and the task is left executed. True when a task was run.
    bool ExecuteOne(const TProc& aExecuteNotify = {}) const;

    // Agents: each call of the returned procedure adds a task for aProc bound to the
    // call's arguments. The agent keeps the list alive.
    template <class... TArgs>
    std::function<void(TArgs...)>
    AgentProc(std::type_identity_t<std::function<void(TArgs...)>> aProc) const {
        if (!aProc) {
            throw std::invalid_argument("An agent needs a procedure");
        }
        return [list = *this, proc = std::move(aProc)](TArgs... aArgs) {
            list.Add(TDelayedProc<TArgs...>::Make(proc, std::move(aArgs)...));
        };
    }

    // Each call of the returned function adds a task for aFunc bound to the argument and
    // returns that task.
    template <class T, class TResult>
    std::function<IResultablePtr<TResult>(T)>
    AgentFunc(std::type_identity_t<std::function<TResult(T)>> aFunc) const {
        if (!aFunc) {
            throw std::invalid_argument("An agent needs a function");
        }
        return [list = *this, func = std::move(aFunc)](T aArg) {
            auto task = TDelayedFunc<T, TResult>::Make(func, std::move(aArg));
            list.Add(task);
            return task;
        };
    }

    // Takes the executed function tasks whose result type is T out of the list. With
    // aWait, first waits up to aTimeout for any task to be executed.
    template <class T>
    TResultables<T> PickupResults(bool aWait, std::uint32_t aTimeout = kInfinite) const {
        if (aWait) {
            WaitForExecuted(TDeadline(aTimeout));
        }
        TResultables<T> result;
        for (auto& task : TakeExecuted([](const IExecutable& aTask) {
                 return dynamic_cast<const IResultable<T>*>(&aTask) != nullptr;
             })) {
            result.push_back(std::dynamic_pointer_cast<IResultable<T>>(task));
        }
        return result;
    }

    // Drops this handle's share of the list; the handle is empty afterwards.
    void Release() { fState.reset(); }

private:
    struct TState;

    explicit TDelayedList(std::shared_ptr<TState> aState) : fState(std::move(aState)) {}
    TState& State() const;
    void NotifyChange(const std::shared_ptr<const TProc>& aHandler, bool aSetEvent) const;
    // The first task that is waiting or in progress, with its change count at that moment.
    std::pair<IExecutablePtr, std::uint64_t> FirstPending() const;
    void WaitForExecuted(const TDeadline& aDeadline) const;
    TExecutables TakeExecuted(const std::function<bool(const IExecutable&)>& aAccept) const;

    std::shared_ptr<TState> fState;
};

} // namespace brivane
