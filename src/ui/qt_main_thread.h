#pragma once
// The main-thread dispatcher of the window: procedures handed to the main thread are
// queued and the Qt event loop is woken to run them, so background work reaches the
// window as soon as the loop is free. A wait on the main thread that pumps messages
// runs the queue and lets Qt handle its own events, so the window stays alive.

#include "tasks/main_loop.h"

#include <memory>

namespace brivane::ui {

class TQtMainThreadDispatcher final : public IMainThreadDispatcher {
public:
    // The constructing thread becomes the main thread; a QCoreApplication must exist
    // for as long as procedures are posted.
    TQtMainThreadDispatcher();

    bool IsMainThread() const override;
    void Post(std::function<void()> aProc) override;
    int ProcessPending(int aMaxCount) override;
    void Shutdown() override;

private:
    // Shared with the wake-ups queued in Qt's loop, which may outlive the dispatcher.
    std::shared_ptr<TMainLoop> fQueue = std::make_shared<TMainLoop>();
};

} // namespace brivane::ui
