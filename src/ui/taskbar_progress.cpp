#include "ui/taskbar_progress.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

#include <algorithm>

namespace brivane::ui {

TLauncherEntryProgress::TLauncherEntryProgress(QString aDesktopFile)
    : fAppUri(QStringLiteral("application://") + aDesktopFile) {}

void TLauncherEntryProgress::SetProgressState(TProgressState aValue) {
    fState = aValue;
    Send();
}

void TLauncherEntryProgress::SetProgressPosition(int aPercent) {
    fPosition = std::clamp(aPercent, 0, 100);
    // As on the Windows taskbar, a position overrides any other state.
    fState = fPosition != 0 ? psNormal : psNone;
    Send();
}

void TLauncherEntryProgress::Send() const {
    auto bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    auto signal = QDBusMessage::createSignal(QStringLiteral("/com/brivane/LauncherEntry"),
                                             QStringLiteral("com.canonical.Unity.LauncherEntry"),
                                             QStringLiteral("Update"));
    // A launcher has no indeterminate, error or paused look: those show no percentage.
    const bool visible = fState == psNormal && fPosition > 0;
    QVariantMap properties;
    properties.insert(QStringLiteral("progress"), fPosition / 100.0);
    properties.insert(QStringLiteral("progress-visible"), visible);
    signal << fAppUri << properties;
    bus.send(signal);
}

} // namespace brivane::ui
