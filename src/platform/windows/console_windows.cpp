#include "platform/console.h"

#include <windows.h>

#include <atomic>
#include <mutex>
#include <stdexcept>

namespace brivane::platform {

namespace {

HANDLE StandardHandle(TStandardStream aStream) {
    return GetStdHandle(aStream == TStandardStream::Input    ? STD_INPUT_HANDLE
                        : aStream == TStandardStream::Output ? STD_OUTPUT_HANDLE
                                                             : STD_ERROR_HANDLE);
}

} // namespace

bool IsTerminal(TStandardStream aStream) {
    DWORD mode = 0;
    return GetConsoleMode(StandardHandle(aStream), &mode) != 0; // fails for files and pipes
}

// The system calls the handler on a thread of its own, so the action runs there. The
// lock keeps the hook alive while the action runs: the destructor waits for it.
struct TInterruptHook::TState {
    std::function<void()> Action;
    std::mutex Running;
    std::atomic<bool> Fired{false};
};

namespace {

std::mutex gHookLock;
TInterruptHook::TState* gHook = nullptr;

BOOL WINAPI OnConsoleEvent(DWORD aEvent) {
    if (aEvent != CTRL_C_EVENT && aEvent != CTRL_BREAK_EVENT) {
        return FALSE; // closing the console or logging off: the default handling
    }
    std::unique_lock hookLock(gHookLock);
    TInterruptHook::TState* const state = gHook;
    if (state == nullptr || state->Fired.exchange(true)) {
        return FALSE; // the second Ctrl+C ends the process as usual
    }
    const std::lock_guard running(state->Running);
    hookLock.unlock();
    state->Action();
    return TRUE;
}

} // namespace

TInterruptHook::TInterruptHook(std::function<void()> aOnInterrupt)
    : fState(std::make_unique<TState>()) {
    fState->Action = std::move(aOnInterrupt);
    {
        const std::lock_guard lock(gHookLock);
        gHook = fState.get();
    }
    if (!SetConsoleCtrlHandler(OnConsoleEvent, TRUE)) {
        const std::lock_guard lock(gHookLock);
        gHook = nullptr;
        throw std::runtime_error("Cannot watch for Ctrl+C");
    }
}

TInterruptHook::~TInterruptHook() {
    SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    {
        const std::lock_guard lock(gHookLock);
        gHook = nullptr;
    }
    const std::lock_guard running(fState->Running); // an action under way ends first
}

} // namespace brivane::platform
