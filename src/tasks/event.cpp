#include "tasks/event.h"

namespace brivane {

void TEvent::Set() {
    {
        std::lock_guard lock(fLock);
        fSignalled = true;
    }
    if (fManualReset) {
        fChanged.notify_all();
    } else {
        fChanged.notify_one();
    }
}

void TEvent::Reset() {
    std::lock_guard lock(fLock);
    fSignalled = false;
}

bool TEvent::WaitUntil(const TDeadline& aDeadline) {
    std::unique_lock lock(fLock);
    const auto signalled = [this] { return fSignalled; };
    if (aDeadline.Infinite()) {
        fChanged.wait(lock, signalled);
    } else if (!fChanged.wait_until(lock, aDeadline.At(), signalled)) {
        return false;
    }
    if (!fManualReset) {
        fSignalled = false;
    }
    return true;
}

} // namespace brivane
