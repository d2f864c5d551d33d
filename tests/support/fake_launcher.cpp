#include "support/fake_launcher.h"

#include "support/temp_dir.h"

namespace brivane::test {

bool TFakeProcess::Wait(std::chrono::milliseconds aTimeOut) {
    std::unique_lock lock(fLock);
    if (aTimeOut < std::chrono::milliseconds::zero()) {
        fEnded.wait(lock, [this] { return fDone; });
        return true;
    }
    return fEnded.wait_for(lock, aTimeOut, [this] { return fDone; });
}

int TFakeProcess::ExitCode() const {
    std::lock_guard lock(fLock);
    return fDone ? 0 : -1;
}

void TFakeProcess::End() {
    {
        std::lock_guard lock(fLock);
        fDone = true;
    }
    fEnded.notify_all();
}

TFakeLauncher::TStart TFakeLauncher::Start() {
    return [state = fState](const std::filesystem::path& aFile,
                            const std::vector<std::string>&) -> platform::TStartResult {
        std::function<void(const std::filesystem::path&)> onStart;
        {
            std::lock_guard lock(state->Lock);
            if (!state->Refusal.empty()) {
                return {nullptr, state->Refusal};
            }
            onStart = state->OnStart;
        }
        if (onStart) {
            onStart(aFile);
        }
        auto process = std::make_shared<TFakeProcess>();
        std::lock_guard lock(state->Lock);
        state->Started.push_back({aFile, ReadAll(aFile), process});
        state->Changed.notify_all();
        return {process, {}};
    };
}

std::vector<TFakeLauncher::TStarted> TFakeLauncher::Started() const {
    std::lock_guard lock(fState->Lock);
    return fState->Started;
}

void TFakeLauncher::SetOnStart(std::function<void(const std::filesystem::path&)> aHandler) {
    std::lock_guard lock(fState->Lock);
    fState->OnStart = std::move(aHandler);
}

void TFakeLauncher::Refuse(std::string aError) {
    std::lock_guard lock(fState->Lock);
    fState->Refusal = std::move(aError);
}

void TFakeLauncher::EndAll() {
    for (const auto& started : Started()) {
        started.Process->End();
    }
}

bool TFakeLauncher::WaitForStarts(std::size_t aCount) {
    std::unique_lock lock(fState->Lock);
    return fState->Changed.wait_for(lock, std::chrono::seconds(30),
                                    [&] { return fState->Started.size() >= aCount; });
}

} // namespace brivane::test
