#pragma once
// The main-thread dispatcher of a front end without a GUI toolkit (the CLI, the tests):
// a queue of procedures that the main thread runs whenever it pumps, which every
// non-freezing wait does.

#include "tasks/main_thread.h"

#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace brivane {

class TMainLoop final : public IMainThreadDispatcher {
public:
    // The constructing thread becomes the main thread.
    TMainLoop() : fMainThread(std::this_thread::get_id()) {}

    bool IsMainThread() const override { return std::this_thread::get_id() == fMainThread; }
    void Post(std::function<void()> aProc) override;
    int ProcessPending(int aMaxCount) override;
    void Shutdown() override;

private:
    const std::thread::id fMainThread;
    std::mutex fLock;
    std::deque<std::function<void()>> fQueue;
    bool fShutDown = false;
};

} // namespace brivane
