#include "platform/console.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <thread>
#include <unistd.h>

namespace brivane::platform {

namespace {

// The write end of the live hook's pipe; a signal handler may only write to it.
std::atomic<int> gSignalPipe{-1};

constexpr char kInterrupt = 'i';
constexpr char kQuit = 'q';

extern "C" void OnInterruptSignal(int) {
    const int fd = gSignalPipe.load();
    if (fd >= 0) {
        const char byte = kInterrupt;
        [[maybe_unused]] const auto written = ::write(fd, &byte, 1);
    }
    // The next Ctrl+C ends the process.
    std::signal(SIGINT, SIG_DFL);
}

} // namespace

bool IsTerminal(TStandardStream aStream) {
    const int fd = aStream == TStandardStream::Input    ? STDIN_FILENO
                   : aStream == TStandardStream::Output ? STDOUT_FILENO
                                                        : STDERR_FILENO;
    return ::isatty(fd) == 1;
}

// A self-pipe: the signal handler writes a byte, a watcher thread reads it and calls the
// action outside the handler.
struct TInterruptHook::TState {
    int Pipe[2] = {-1, -1};
    std::thread Watcher;
};

TInterruptHook::TInterruptHook(std::function<void()> aOnInterrupt)
    : fState(std::make_unique<TState>()) {
    if (::pipe2(fState->Pipe, O_CLOEXEC) != 0) {
        throw std::runtime_error("Cannot watch for Ctrl+C");
    }
    gSignalPipe = fState->Pipe[1];
    fState->Watcher = std::thread([read = fState->Pipe[0], action = std::move(aOnInterrupt)] {
        for (;;) {
            char byte = 0;
            const auto count = ::read(read, &byte, 1);
            if (count < 0 && errno == EINTR) {
                continue;
            }
            if (count != 1 || byte == kQuit) {
                return;
            }
            action();
        }
    });
    struct sigaction action = {};
    action.sa_handler = OnInterruptSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
}

TInterruptHook::~TInterruptHook() {
    std::signal(SIGINT, SIG_DFL);
    gSignalPipe = -1;
    const char byte = kQuit;
    [[maybe_unused]] const auto written = ::write(fState->Pipe[1], &byte, 1);
    fState->Watcher.join();
    ::close(fState->Pipe[0]);
    ::close(fState->Pipe[1]);
}

} // namespace brivane::platform
