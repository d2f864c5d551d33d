#include "ui/qt_main_thread.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <climits>

namespace brivane::ui {

TQtMainThreadDispatcher::TQtMainThreadDispatcher() = default;

bool TQtMainThreadDispatcher::IsMainThread() const {
    return fQueue->IsMainThread();
}

void TQtMainThreadDispatcher::Post(std::function<void()> aProc) {
    fQueue->Post(std::move(aProc));
    auto* application = QCoreApplication::instance();
    if (!application) {
        return; // runs when a wait on the main thread pumps
    }
    // One wake-up per procedure; a wake-up that finds the queue empty does nothing.
    QMetaObject::invokeMethod(
        application,
        [weak = std::weak_ptr<TMainLoop>(fQueue)] {
            if (const auto queue = weak.lock()) {
                queue->ProcessPending(INT_MAX);
            }
        },
        Qt::QueuedConnection);
}

int TQtMainThreadDispatcher::ProcessPending(int aMaxCount) {
    const int count = fQueue->ProcessPending(aMaxCount);
    if (QCoreApplication::instance() && IsMainThread()) {
        QCoreApplication::processEvents();
    }
    return count;
}

void TQtMainThreadDispatcher::Shutdown() {
    fQueue->Shutdown();
}

} // namespace brivane::ui
