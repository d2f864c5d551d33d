#pragma once
// A launcher for tests of the download jobs and the queue: it records what it is asked to
// start and hands out processes that end when the test says so.

#include "platform/launcher.h"

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace brivane::test {

class TFakeProcess final : public platform::IStartedProcess {
public:
    bool Wait(std::chrono::milliseconds aTimeOut) override;
    int ExitCode() const override;
    void End();

private:
    mutable std::mutex fLock;
    std::condition_variable fEnded;
    bool fDone = false;
};

class TFakeLauncher {
public:
    using TStart = std::function<platform::TStartResult(const std::filesystem::path&,
                                                        const std::vector<std::string>&)>;

    // The start function to hand to a job; it shares this launcher's state.
    TStart Start();
    // The files started so far, in order, with the bytes they held when started.
    struct TStarted {
        std::filesystem::path File;
        std::string Bytes;
        std::shared_ptr<TFakeProcess> Process;
    };
    std::vector<TStarted> Started() const;
    // From now on, starting fails with this error (empty: starting works again).
    void Refuse(std::string aError);
    // Called with each file started, before the start returns (on the starting thread).
    void SetOnStart(std::function<void(const std::filesystem::path&)> aHandler);
    // Ends every process started so far.
    void EndAll();
    // Waits (up to 30 s) until at least aCount programs were started.
    bool WaitForStarts(std::size_t aCount);

private:
    struct TState {
        mutable std::mutex Lock;
        std::condition_variable Changed;
        std::vector<TStarted> Started;
        std::string Refusal;
        std::function<void(const std::filesystem::path&)> OnStart;
    };
    std::shared_ptr<TState> fState = std::make_shared<TState>();
};

} // namespace brivane::test
