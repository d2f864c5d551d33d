#pragma once
// Ctrl+C for the long subcommands: while a TInterrupt lives, SIGINT does not end the
// process but has the main thread run the action set for the phase the command is in.
// A second Ctrl+C ends the process as usual.

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace brivane::cli {

class TInterrupt {
public:
    TInterrupt();
    ~TInterrupt();
    TInterrupt(const TInterrupt&) = delete;
    TInterrupt& operator=(const TInterrupt&) = delete;

    // Main thread: what Ctrl+C does from now on (the main loop runs it).
    void SetAction(std::function<void()> aAction) { fAction->Run = std::move(aAction); }
    bool Interrupted() const { return fInterrupted; }

private:
    void Watch();

    int fPipe[2] = {-1, -1};
    std::thread fWatcher;
    // Main thread only; shared with what the watcher posts, which may run late.
    struct TAction {
        std::function<void()> Run;
    };
    std::shared_ptr<TAction> fAction = std::make_shared<TAction>();
    std::atomic<bool> fInterrupted{false};
};

} // namespace brivane::cli
