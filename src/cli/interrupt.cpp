#include "cli/interrupt.h"

#include "tasks/main_thread.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace brivane::cli {

namespace {

// The write end of the live watcher's pipe; a signal handler may only write to it.
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

TInterrupt::TInterrupt() {
    if (::pipe2(fPipe, O_CLOEXEC) != 0) {
        throw std::runtime_error("Cannot watch for Ctrl+C");
    }
    gSignalPipe = fPipe[1];
    fWatcher = std::thread([this] { Watch(); });
    struct sigaction action = {};
    action.sa_handler = OnInterruptSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
}

TInterrupt::~TInterrupt() {
    std::signal(SIGINT, SIG_DFL);
    fAction->Run = nullptr;
    gSignalPipe = -1;
    const char byte = kQuit;
    [[maybe_unused]] const auto written = ::write(fPipe[1], &byte, 1);
    fWatcher.join();
    ::close(fPipe[0]);
    ::close(fPipe[1]);
}

void TInterrupt::Watch() {
    for (;;) {
        char byte = 0;
        const auto count = ::read(fPipe[0], &byte, 1);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count != 1 || byte == kQuit) {
            return;
        }
        fInterrupted = true;
        if (const auto dispatcher = MainThreadDispatcher()) {
            dispatcher->Post([action = fAction] {
                if (action->Run) {
                    action->Run();
                }
            });
        }
    }
}

} // namespace brivane::cli
