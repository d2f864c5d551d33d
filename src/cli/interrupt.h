#pragma once
// Ctrl+C for the long subcommands: while a TInterrupt lives, SIGINT does not end the
// process but has the main thread run the action set for the phase the command is in.
// A second Ctrl+C ends the process as usual.

#include "platform/console.h"

#include <atomic>
#include <functional>
#include <memory>

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
    void OnInterrupt();

    // Main thread only; shared with what the hook posts, which may run late.
    struct TAction {
        std::function<void()> Run;
    };
    std::shared_ptr<TAction> fAction = std::make_shared<TAction>();
    std::atomic<bool> fInterrupted{false};
    platform::TInterruptHook fHook{[this] { OnInterrupt(); }};
};

} // namespace brivane::cli
