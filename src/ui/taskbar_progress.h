#pragma once
// The program's progress on its taskbar button or launcher icon. On Linux desktops that
// listen for it, the launcher-entry signal over the session bus shows a percentage on
// the program's icon; where nothing listens (or there is no session bus) nothing
// happens.

#include "app/main_view.h"

#include <QString>

namespace brivane::ui {

class ITaskbarProgress {
public:
    virtual ~ITaskbarProgress() = default;
    virtual void SetProgressState(TProgressState aValue) = 0;
    // 0 to 100; 0 hides the progress, any other value shows it in the normal state.
    virtual void SetProgressPosition(int aPercent) = 0;
};

class TLauncherEntryProgress final : public ITaskbarProgress {
public:
    // aDesktopFile: the .desktop file the launcher knows the program by.
    explicit TLauncherEntryProgress(QString aDesktopFile = QStringLiteral("brivane.desktop"));

    void SetProgressState(TProgressState aValue) override;
    void SetProgressPosition(int aPercent) override;

    TProgressState State() const { return fState; }
    int Position() const { return fPosition; }

private:
    void Send() const;

    QString fAppUri;
    TProgressState fState = psNone;
    int fPosition = 0;
};

} // namespace brivane::ui
