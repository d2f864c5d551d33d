#pragma once
// The main loop of a front end without a GUI toolkit that sleeps until there is work:
// like TMainLoop, but a posted procedure wakes the main thread at once, as a GUI's event
// loop would, so background work handing procedures to the main thread never waits for
// the next pumping slice of a wait.

#include "tasks/main_loop.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

namespace brivane {

class TWakingMainLoop final : public IMainThreadDispatcher {
public:
    // The constructing thread becomes the main thread.
    TWakingMainLoop() = default;

    bool IsMainThread() const override { return fLoop.IsMainThread(); }
    void Post(std::function<void()> aProc) override;
    int ProcessPending(int aMaxCount) override { return fLoop.ProcessPending(aMaxCount); }
    void Shutdown() override;

    // On the main thread: runs posted procedures as they come until aDone() holds,
    // asking it after each batch and at least every aRecheck. False when the loop shut
    // down or the application began terminating first.
    bool RunUntil(const std::function<bool()>& aDone, std::chrono::milliseconds aRecheck);

private:
    TMainLoop fLoop;
    std::mutex fLock;
    std::condition_variable fWake;
    std::uint64_t fPosts = 0;
    bool fShutDown = false;
};

} // namespace brivane
