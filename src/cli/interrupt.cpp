#include "cli/interrupt.h"

#include "tasks/main_thread.h"

namespace brivane::cli {

TInterrupt::TInterrupt() = default;

TInterrupt::~TInterrupt() {
    fAction->Run = nullptr;
}

// On the hook's thread: the action runs on the main thread.
void TInterrupt::OnInterrupt() {
    fInterrupted = true;
    if (const auto dispatcher = MainThreadDispatcher()) {
        dispatcher->Post([action = fAction] {
            if (action->Run) {
                action->Run();
            }
        });
    }
}

} // namespace brivane::cli
