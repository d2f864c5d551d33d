#pragma once
// The hand-off from background work to the main thread, and the flag that tells every
// wait the application is ending. The front end installs the dispatcher of its event
// loop (the GUI's, or TMainLoop in the CLI and the tests); background code touches the
// user interface only through RunInMainThread.

#include <functional>
#include <memory>

namespace brivane {

class IMainThreadDispatcher {
public:
    virtual ~IMainThreadDispatcher() = default;
    virtual bool IsMainThread() const = 0;
    // Queues aProc to run on the main thread and returns at once. After Shutdown the
    // procedure is dropped unrun.
    virtual void Post(std::function<void()> aProc) = 0;
    // On the main thread: runs queued procedures one at a time until none is left or
    // aMaxCount have run; returns how many ran.
    virtual int ProcessPending(int aMaxCount) = 0;
    // Stops accepting procedures and drops the queued ones, releasing their callers.
    virtual void Shutdown() = 0;
};

using IMainThreadDispatcherPtr = std::shared_ptr<IMainThreadDispatcher>;

// Installs (or, with nullptr, removes) the process's main-thread dispatcher.
void SetMainThreadDispatcher(IMainThreadDispatcherPtr aDispatcher);
IMainThreadDispatcherPtr MainThreadDispatcher();

// On the main thread: calls aProc at once and returns false. On any other thread: has
// the main thread run aProc, blocks until it has, and returns true; an exception from
// aProc is rethrown here. Throws std::logic_error when no dispatcher is installed and
// std::runtime_error when the dispatcher shut down before aProc could run.
bool RunInMainThread(const std::function<void()>& aProc);

// On the main thread: runs up to kMaxMessagesPerPump pending procedures, so that a wait
// keeps the user interface alive. Elsewhere, or without a dispatcher: nothing.
inline constexpr int kMaxMessagesPerPump = 11;
void ProcessPendingMessages();

// Set by the front end when the application starts ending; list waits and
// non-freezing waits give up, and pool workers stop taking tasks.
bool ApplicationTerminating();
void SetApplicationTerminating(bool aValue);

} // namespace brivane
