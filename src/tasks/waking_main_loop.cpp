#include "tasks/waking_main_loop.h"

namespace brivane {

void TWakingMainLoop::Post(std::function<void()> aProc) {
    fLoop.Post(std::move(aProc));
    {
        std::lock_guard lock(fLock);
        ++fPosts;
    }
    fWake.notify_all();
}

void TWakingMainLoop::Shutdown() {
    fLoop.Shutdown();
    {
        std::lock_guard lock(fLock);
        fShutDown = true;
    }
    fWake.notify_all();
}

bool TWakingMainLoop::RunUntil(const std::function<bool()>& aDone,
                               std::chrono::milliseconds aRecheck) {
    for (;;) {
        if (aDone()) {
            return true;
        }
        std::uint64_t seen = 0;
        {
            std::lock_guard lock(fLock);
            if (fShutDown || ApplicationTerminating()) {
                return false;
            }
            seen = fPosts;
        }
        if (fLoop.ProcessPending(kMaxMessagesPerPump) > 0) {
            continue;
        }
        // A post after the count was read ends the wait at once.
        std::unique_lock lock(fLock);
        fWake.wait_for(lock, aRecheck, [&] { return fPosts != seen || fShutDown; });
    }
}

} // namespace brivane
