#pragma once
// Threads as the operating system sees them: their identifiers and priorities.

#include <cstdint>

namespace brivane::platform {

enum TThreadPriority : std::uint8_t {
    tpIdle,
    tpLowest,
    tpLower,
    tpNormal,
    tpHigher,
    tpHighest,
    tpTimeCritical,
};

using TNativeThreadId = std::int64_t;

TNativeThreadId CurrentNativeThreadId();

// Gives a thread of this process a priority; false when the system refuses (raising a
// priority usually needs privileges an ordinary user lacks).
bool SetThreadPriority(TNativeThreadId aThread, TThreadPriority aPriority);

} // namespace brivane::platform
