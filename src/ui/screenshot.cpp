#include "ui/screenshot.h"

#include "ui/animation_clock.h"
#include "ui/main_window.h"

#include <QCoreApplication>
#include <QPixmap>

#include <iostream>

namespace brivane::ui {

bool SaveWindowImage(QWidget& aWindow, const QString& aFile) {
    return aWindow.grab().save(aFile, "PNG");
}

TScreenshotOnLists::TScreenshotOnLists(TMainForm& aWindow, QString aFile, int aLimitMilliseconds)
    : fWindow(aWindow), fFile(std::move(aFile)) {
    fSettle.setInterval(50);
    connect(&fSettle, &QTimer::timeout, this, [this] { SaveWhenSettled(); });
    connect(&fWindow, &TMainForm::DisplayModeChanged, this, [this](TDisplayMode aMode) {
        if (aMode == dmList && !fSaved) {
            fSettle.start();
        }
    });
    fLimit.setSingleShot(true);
    connect(&fLimit, &QTimer::timeout, this, [] {
        std::cerr << "brivane: the lists did not come in time; no screenshot\n";
        QCoreApplication::exit(1);
    });
    fLimit.start(aLimitMilliseconds);
}

void TScreenshotOnLists::SaveWhenSettled() {
    if (TAnimationClock::Instance().RunningCount() > 0 || fWindow.RefreshPending()) {
        return;
    }
    if (fWindow.HelpShown()) {
        // The picture is of the lists; the first run's introduction would hide them.
        fWindow.HideHelp();
        return;
    }
    fSettle.stop();
    fLimit.stop();
    fSaved = SaveWindowImage(fWindow, fFile);
    if (!fSaved) {
        std::cerr << "brivane: cannot write " << fFile.toStdString() << '\n';
    }
    QCoreApplication::exit(fSaved ? 0 : 1);
}

} // namespace brivane::ui
