#include "tasks/main_loop.h"

namespace brivane {

void TMainLoop::Post(std::function<void()> aProc) {
    std::lock_guard lock(fLock);
    if (!fShutDown) {
        fQueue.push_back(std::move(aProc));
    }
}

int TMainLoop::ProcessPending(int aMaxCount) {
    int count = 0;
    while (count < aMaxCount) {
        std::function<void()> proc;
        {
            std::lock_guard lock(fLock);
            if (fQueue.empty()) {
                break;
            }
            proc = std::move(fQueue.front());
            fQueue.pop_front();
        }
        proc();
        ++count;
    }
    return count;
}

void TMainLoop::Shutdown() {
    std::deque<std::function<void()>> dropped;
    std::lock_guard lock(fLock);
    fShutDown = true;
    dropped.swap(fQueue);
    // The dropped procedures are destroyed after the lock is released (reverse order of
    // declaration), so their callers' guards never run under it.
}

} // namespace brivane
