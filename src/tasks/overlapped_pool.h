#pragma once
// A worker pool: runs the tasks of its own task list on background threads that grow
// with the number of waiting tasks up to MaxThreads and shrink back to MinThreads
// standby threads when work runs out. It never polls: every change of its list (and
// every property write) runs its dispatcher, which starts, wakes and ends workers.

#include "platform/threads.h"
#include "tasks/delayed_list.h"

#include <functional>
#include <memory>

namespace brivane {

class IOverlappedPool {
public:
    virtual ~IOverlappedPool() = default;

    virtual bool Active() const = 0;
    // A handle to the pool's list: add work through it, wait on it.
    virtual TDelayedList Tasks() const = 0;
    // Workers that exist, busy or not.
    virtual int ActiveThreads() const = 0;
    virtual int MaxThreads() const = 0;
    virtual int MinThreads() const = 0;
    virtual platform::TThreadPriority Priority() const = 0;
    virtual std::function<void()> OnChange() const = 0;

    // Inactive, the pool only ends surplus idle workers; waiting tasks stay waiting.
    virtual void SetActive(bool aValue) = 0;
    virtual void SetMaxThreads(int aValue) = 0;
    virtual void SetMinThreads(int aValue) = 0;
    virtual void SetPriority(platform::TThreadPriority aValue) = 0;
    // Called after every dispatch, with no lock held; its exceptions are swallowed.
    virtual void SetOnChange(std::function<void()> aValue) = 0;
};

using IOverlappedPoolPtr = std::shared_ptr<IOverlappedPool>;

class TOverlappedPool final : public IOverlappedPool {
public:
    // An active pool whose aMinThreads standby workers exist when Make returns.
    static IOverlappedPoolPtr Make(int aMaxThreads, int aMinThreads);
    // A fixed-size pool: all aMaxThreads workers start at once.
    static IOverlappedPoolPtr Make(int aMaxThreads) { return Make(aMaxThreads, aMaxThreads); }

    // Releasing the last reference ends the pool: an active pool that can run tasks
    // first lets its list drain (unless the application is terminating); then every
    // worker finishes the task in hand and its thread is joined. Tasks still waiting
    // after that stay in the list, undispatched.
    ~TOverlappedPool() override;

    bool Active() const override;
    TDelayedList Tasks() const override;
    int ActiveThreads() const override;
    int MaxThreads() const override;
    int MinThreads() const override;
    platform::TThreadPriority Priority() const override;
    std::function<void()> OnChange() const override;
    void SetActive(bool aValue) override;
    void SetMaxThreads(int aValue) override;
    void SetMinThreads(int aValue) override;
    void SetPriority(platform::TThreadPriority aValue) override;
    void SetOnChange(std::function<void()> aValue) override;

private:
    // The state the workers and the list's change handler reach; it outlives every
    // worker thread, and the list holds it only weakly.
    class TCore;

    explicit TOverlappedPool(std::shared_ptr<TCore> aCore) : fCore(std::move(aCore)) {}

    std::shared_ptr<TCore> fCore;
};

} // namespace brivane
