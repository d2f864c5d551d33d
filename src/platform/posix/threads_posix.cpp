#include "platform/threads.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace brivane::platform {

namespace {

// Nice values: lower is more urgent; normal is the default 0.
constexpr int kNiceOf[] = {19, 10, 5, 0, -5, -10, -20};

} // namespace

TNativeThreadId CurrentNativeThreadId() {
    return static_cast<TNativeThreadId>(::syscall(SYS_gettid));
}

bool SetThreadPriority(TNativeThreadId aThread, TThreadPriority aPriority) {
    // On Linux a thread identifier addresses one thread with PRIO_PROCESS.
    return ::setpriority(PRIO_PROCESS, static_cast<id_t>(aThread), kNiceOf[aPriority]) == 0;
}

} // namespace brivane::platform
