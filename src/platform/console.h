#pragma once
// The console the program was started from: whether a standard stream is a terminal, and
// Ctrl+C.

#include <functional>
#include <memory>

namespace brivane::platform {

enum class TStandardStream { Input, Output, Error };

// True when the stream is an interactive terminal (console), not a file or a pipe.
bool IsTerminal(TStandardStream aStream);

// While a TInterruptHook lives, the first Ctrl+C does not end the process but calls
// aOnInterrupt on a thread of the hook's own (never inside a signal handler); a second
// Ctrl+C ends the process as usual. One hook at a time.
class TInterruptHook {
public:
    explicit TInterruptHook(std::function<void()> aOnInterrupt);
    ~TInterruptHook();
    TInterruptHook(const TInterruptHook&) = delete;
    TInterruptHook& operator=(const TInterruptHook&) = delete;

    struct TState;

private:
    std::unique_ptr<TState> fState;
};

} // namespace brivane::platform
