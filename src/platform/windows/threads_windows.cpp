#include "platform/threads.h"

#include "platform/windows/handle.h"

#include <windows.h>

namespace brivane::platform {

namespace {

constexpr int kPriorityOf[] = {
    THREAD_PRIORITY_IDLE,          THREAD_PRIORITY_LOWEST,       THREAD_PRIORITY_BELOW_NORMAL,
    THREAD_PRIORITY_NORMAL,        THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
    THREAD_PRIORITY_TIME_CRITICAL,
};

} // namespace

TNativeThreadId CurrentNativeThreadId() {
    return static_cast<TNativeThreadId>(GetCurrentThreadId());
}

bool SetThreadPriority(TNativeThreadId aThread, TThreadPriority aPriority) {
    const windows::THandle thread(
        OpenThread(THREAD_SET_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(aThread)));
    return thread.Valid() && ::SetThreadPriority(thread.Get(), kPriorityOf[aPriority]) != 0;
}

} // namespace brivane::platform
