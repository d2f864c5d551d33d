#pragma once
// Deferred tasks: a procedure or a function bound to its arguments, with a status and a
// completion event that is signalled exactly while the status is dsExecuted. Tasks are
// shared (std::shared_ptr) and live as long as a list, a worker or a caller holds them.

#include "base/enum_set.h"
#include "tasks/wait_timeout.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <tuple>
#include <utility>
#include <vector>

namespace brivane {

enum TDelayedStatus : std::uint8_t {
    dsNone,       // in a selection: leave the status unchanged
    dsWaiting,    // queued; the next worker step may take it
    dsInProgress, // taken by a worker and running
    dsExecuted,   // finished; the completion event is set
    dsIgnore,     // parked: not taken by workers, not waited for by list waits
};

// A set of statuses (bit n for value n); in list operations the empty set selects
// every task.
using TDelayedStatuses = TEnumSet<TDelayedStatus, std::uint8_t>;

class IExecutable {
public:
    virtual ~IExecutable() = default;

    virtual TDelayedStatus Status() const = 0;
    // Entering dsExecuted signals the completion event; any other status resets it, so
    // re-marking an executed task makes its waiters wait again.
    virtual void SetStatus(TDelayedStatus aStatus) = 0;
    // Waits for the completion event up to aTimeout milliseconds (kInfinite: no limit);
    // true when it was signalled. With aNonFreeze the wait runs in slices that pump the
    // main thread's messages and gives up when the application is terminating.
    virtual bool Wait(std::uint32_t aTimeout, bool aNonFreeze) = 0;
    virtual bool Wait(bool aNonFreeze) = 0;
    // Wait(1000) would silently mean Wait(true); make it a compile error instead.
    template <class T>
    bool Wait(T) = delete;
    // Runs the task's body on the calling thread.
    virtual void SharedExecute() = 0;

    // For waits on a whole list. Changes counts status writes and nudges; a list reads
    // it under its own lock together with the status, so no later change is missed.
    // WaitForChange returns when the task is neither waiting nor in progress, when it
    // has changed since aSince, or at the deadline.
    virtual std::uint64_t Changes() = 0;
    virtual void WaitForChange(std::uint64_t aSince, const TDeadline& aDeadline,
                               bool aNonFreeze) = 0;
    virtual void Nudge() = 0;
};

using IExecutablePtr = std::shared_ptr<IExecutable>;
using TExecutables = std::vector<IExecutablePtr>;

// Function tasks: they stay in their list, executed, until their result is collected.
class IResultableBase : public virtual IExecutable {};

template <class T>
class IResultable : public IResultableBase {
public:
    // Waits (blocking) until the task has run, then returns its result; rethrows the
    // exception the function raised, if any.
    virtual T Result() = 0;
    // Runs the function on the calling thread and returns its result.
    virtual T Execute() = 0;
};

template <class T>
using IResultablePtr = std::shared_ptr<IResultable<T>>;
template <class T>
using TResultables = std::vector<IResultablePtr<T>>;

class TDelayedP : public virtual IExecutable {
public:
    TDelayedStatus Status() const override { return fStatus.load(); }
    void SetStatus(TDelayedStatus aStatus) override;
    using IExecutable::Wait;
    bool Wait(std::uint32_t aTimeout, bool aNonFreeze) override;
    bool Wait(bool aNonFreeze) override { return Wait(kInfinite, aNonFreeze); }
    std::uint64_t Changes() override;
    void WaitForChange(std::uint64_t aSince, const TDeadline& aDeadline, bool aNonFreeze) override;
    void Nudge() override;

protected:
    TDelayedP() = default;

    // Runs aBody as the task's work: in progress meanwhile, executed afterwards, also
    // when aBody throws (the exception then propagates), so no task stays claimed.
    template <class TBody>
    void Run(TBody&& aBody) {
        SetStatus(dsInProgress);
        try {
            aBody();
        } catch (...) {
            SetStatus(dsExecuted);
            throw;
        }
        SetStatus(dsExecuted);
    }

private:
    template <class TDone>
    bool WaitFor(const TDeadline& aDeadline, bool aNonFreeze, TDone aDone);

    std::atomic<TDelayedStatus> fStatus{dsWaiting};
    std::mutex fSyncLock;
    std::condition_variable fSync;
    // Counted under fSyncLock: entries into dsExecuted, and every status write or nudge.
    // A waiter compares them with their values at its start, so a completion that is
    // re-marked before the waiter wakes still releases it, as a manual-reset event would.
    std::uint64_t fCompletions = 0;
    std::uint64_t fChanges = 0;
};

// A procedure bound to zero or more arguments, copied when the task is made.
template <class... TArgs>
class TDelayedProc final : public TDelayedP {
public:
    using TProc = std::function<void(TArgs...)>;

    static IExecutablePtr Make(TProc aProc, TArgs... aArgs) {
        if (!aProc) {
            throw std::invalid_argument("A task needs a procedure");
        }
        return std::make_shared<TDelayedProc>(std::move(aProc), std::move(aArgs)...);
    }

    TDelayedProc(TProc aProc, TArgs... aArgs)
        : fArgs(std::move(aArgs)...), fProc(std::move(aProc)) {}

    void SharedExecute() override {
        Run([this] { std::apply(fProc, fArgs); });
    }

private:
    std::tuple<TArgs...> fArgs;
    TProc fProc;
};

// The base of function tasks: the result (T's zero value until the task has run) and
// the exception the function raised, if any.
template <class T>
class TDelayedF : public TDelayedP, public IResultable<T> {
public:
    using TDelayedP::Wait;

    void SharedExecute() override {
        Run([this] { Compute(); });
    }

    T Execute() override {
        Run([this] { Compute(); });
        return fResult;
    }

    T Result() override {
        if (Status() != dsExecuted) {
            Wait(kInfinite, false);
        }
        if (fError) {
            std::rethrow_exception(fError);
        }
        return fResult;
    }

protected:
    virtual T Calculate() = 0;

private:
    void Compute() {
        fError = nullptr;
        try {
            fResult = Calculate();
        } catch (...) {
            fError = std::current_exception();
            throw;
        }
    }

    T fResult{};
    std::exception_ptr fError;
};

// A function from T to TResult bound to its argument, copied when the task is made.
template <class T, class TResult>
class TDelayedFunc final : public TDelayedF<TResult> {
public:
    using TFunc = std::function<TResult(T)>;

    static IResultablePtr<TResult> Make(TFunc aFunc, T aArg1) {
        if (!aFunc) {
            throw std::invalid_argument("A task needs a function");
        }
        return std::make_shared<TDelayedFunc>(std::move(aFunc), std::move(aArg1));
    }

    TDelayedFunc(TFunc aFunc, T aArg1) : fArg1(std::move(aArg1)), fFunc(std::move(aFunc)) {}

protected:
    TResult Calculate() override { return fFunc(fArg1); }

private:
    T fArg1;
    TFunc fFunc;
};

} // namespace brivane
