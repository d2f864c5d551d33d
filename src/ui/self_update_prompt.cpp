#include "ui/self_update_prompt.h"

#include "app/localization.h"
#include "app/update_offer.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>

namespace brivane::ui {

using install::TUpdateState;
using install::TVersionInfo;

TSelfUpdatePrompt::TSelfUpdatePrompt(TMainForm& aWindow,
                                     std::unique_ptr<install::TAutoUpdater> aUpdater)
    : fWindow(aWindow), fUpdater(std::move(aUpdater)) {
    fQuestion = [](const std::string& aText) {
        return QMessageBox::question(nullptr, QStringLiteral("Update"),
                                     QString::fromStdString(aText)) == QMessageBox::Yes;
    };
    fErrorReport = [](const std::string& aText) {
        QMessageBox::warning(nullptr, QStringLiteral("Update"), QString::fromStdString(aText));
    };
    fOnInstallerStarted = [] { QApplication::quit(); };

    // The updater reports on threads of its own; the prompt lives on the main thread.
    fUpdater->SetOnUpdateCheckResult([this](bool aAvailable, const TVersionInfo& aOffered) {
        if (aAvailable) {
            QMetaObject::invokeMethod(this, [this, aOffered] { Offered(aOffered); });
        }
    });
    fUpdater->SetOnUpdateStateChanged([this](TUpdateState aState) {
        QMetaObject::invokeMethod(this, [this, aState] { StateChanged(aState); });
    });
    fUpdater->SetOnUpdateProgress([this](std::int64_t aReceived, std::int64_t aTotal) {
        QMetaObject::invokeMethod(this, [this, aReceived, aTotal] { Progress(aReceived, aTotal); });
    });
    connect(&fWindow, &TMainForm::DisplayModeChanged, this, [this](TDisplayMode aMode) {
        if (aMode == dmList) {
            ListsShown();
        }
    });
}

TSelfUpdatePrompt::~TSelfUpdatePrompt() {
    fUpdater.reset();
    CloseDialog();
}

void TSelfUpdatePrompt::ListsShown() {
    // Once per start, after the start sequence has read the settings into the menu.
    if (fCheckStarted || !fWindow.CheckForUpdate()) {
        return;
    }
    fCheckStarted = true;
    fUpdater->CheckUpdate();
}

void TSelfUpdatePrompt::Offered(const TVersionInfo& aOffered) {
    if (!fQuestion(UpdateOfferText(aOffered) + "\n\n" + Localize("au.installupdate"))) {
        return;
    }
    fDialog = new QProgressDialog(QString::fromStdString(Localize("au.preparing")),
                                  QString::fromStdString(Localize("au.cancel")), 0, 100, &fWindow);
    fDialog->setWindowTitle(QStringLiteral("Update"));
    fDialog->setAccessibleName(QString::fromStdString(Localize("au.downloading")));
    fDialog->setMinimumDuration(0);
    fDialog->setAutoClose(false);
    fDialog->setAutoReset(false);
    connect(fDialog, &QProgressDialog::canceled, this, [this] { fUpdater->Cancel(); });
    fDialog->show();
    fUpdater->Update(aOffered);
}

void TSelfUpdatePrompt::StateChanged(TUpdateState aState) {
    switch (aState) {
    case TUpdateState::Downloading:
        if (fDialog) {
            fDialog->setLabelText(QString::fromStdString(Localize("au.downloading")));
        }
        break;
    case TUpdateState::Completed:
        CloseDialog();
        fOnInstallerStarted();
        break;
    case TUpdateState::Canceled:
        CloseDialog();
        break;
    case TUpdateState::Error:
        // Only an update's failure is told; a check that failed stays quiet.
        if (fDialog) {
            CloseDialog();
            fErrorReport(Localize("au.error") + ":\n" + fUpdater->ErrorText());
        }
        break;
    default:
        break;
    }
}

void TSelfUpdatePrompt::Progress(std::int64_t aReceived, std::int64_t aTotal) {
    if (fDialog && aTotal > 0) {
        fDialog->setValue(
            static_cast<int>(std::min<std::int64_t>(aReceived, aTotal) * 100 / aTotal));
    }
}

void TSelfUpdatePrompt::CloseDialog() {
    if (fDialog) {
        fDialog->close();
        fDialog->deleteLater();
        fDialog = nullptr;
    }
}

} // namespace brivane::ui
