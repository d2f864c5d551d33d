#pragma once
// Timeouts of the task runtime's waits: milliseconds as an unsigned 32-bit count, with
// kInfinite for no limit. A wait made of several steps turns its timeout into one
// deadline first, so the steps together never wait longer than asked.

#include <chrono>
#include <cstdint>

namespace brivane {

inline constexpr std::uint32_t kInfinite = 0xFFFFFFFF;

class TDeadline {
public:
    using TClock = std::chrono::steady_clock;

    explicit TDeadline(std::uint32_t aTimeout)
        : fInfinite(aTimeout == kInfinite),
          fAt(TClock::now() + std::chrono::milliseconds(fInfinite ? 0 : aTimeout)) {}

    bool Infinite() const { return fInfinite; }
    bool Reached() const { return !fInfinite && TClock::now() >= fAt; }
    // Only meaningful when the deadline is not infinite.
    TClock::time_point At() const { return fAt; }
    // The earlier of the deadline and aDuration from now.
    TClock::time_point AtMost(TClock::duration aDuration) const {
        const auto capped = TClock::now() + aDuration;
        return (!fInfinite && fAt < capped) ? fAt : capped;
    }

private:
    bool fInfinite;
    TClock::time_point fAt;
};

} // namespace brivane
