#pragma once
// Lets a test wait for a state that other threads bring about, without sleeping: the
// threads call Poke after each change, and WaitFor re-checks its predicate on every
// poke until it holds or a generous limit passes (a failing test ends, not hangs).

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace brivane::test {

class TWaitCondition {
public:
    void Poke() {
        {
            std::lock_guard lock(fLock);
            ++fPokes;
        }
        fChanged.notify_all();
    }

    template <class TPredicate>
    bool WaitFor(TPredicate aPredicate,
                 std::chrono::milliseconds aLimit = std::chrono::seconds(30)) {
        std::unique_lock lock(fLock);
        return fChanged.wait_for(lock, aLimit, [&] { return aPredicate(); });
    }

private:
    std::mutex fLock;
    std::condition_variable fChanged;
    unsigned fPokes = 0;
};

} // namespace brivane::test
