#pragma once
// The window's side of the self-updater. Once the lists first show, and when the
// settings menu's "check for updates" is ticked, the update server is asked for a newer
// Brivane. An offer is put to the user; on consent a small dialog follows the download
// (with Cancel), and once the verified installer has started the program quits, so that
// the installer can replace it. A failed update is reported; a failed check is not (it
// is asked again at the next start). Main thread only; the updater's events are handed
// over to it.

#include "install/auto_updater.h"

#include <QObject>
#include <QPointer>
#include <QProgressDialog>

#include <functional>
#include <memory>

namespace brivane::ui {

class TMainForm;

class TSelfUpdatePrompt : public QObject {
    Q_OBJECT

public:
    // aUpdater is initialised; the prompt owns it, and its threads end before the prompt.
    TSelfUpdatePrompt(TMainForm& aWindow, std::unique_ptr<install::TAutoUpdater> aUpdater);
    ~TSelfUpdatePrompt() override;

    // Asked with the offer's text; true installs. A message box by default.
    void SetQuestion(std::function<bool(const std::string&)> aQuestion) {
        fQuestion = std::move(aQuestion);
    }
    // Told why an update failed. A message box by default.
    void SetErrorReport(std::function<void(const std::string&)> aReport) {
        fErrorReport = std::move(aReport);
    }
    // Called once the installer has started; quits the application by default.
    void SetOnInstallerStarted(std::function<void()> aHandler) {
        fOnInstallerStarted = std::move(aHandler);
    }

    install::TAutoUpdater& Updater() const { return *fUpdater; }
    bool CheckStarted() const { return fCheckStarted; }
    // The download's dialog while an update runs, else null.
    QProgressDialog* ProgressDialog() const { return fDialog; }

private:
    void ListsShown();
    void Offered(const install::TVersionInfo& aOffered);
    void StateChanged(install::TUpdateState aState);
    void Progress(std::int64_t aReceived, std::int64_t aTotal);
    void CloseDialog();

    TMainForm& fWindow;
    bool fCheckStarted = false;
    std::function<bool(const std::string&)> fQuestion;
    std::function<void(const std::string&)> fErrorReport;
    std::function<void()> fOnInstallerStarted;
    QPointer<QProgressDialog> fDialog;
    // Last, so that it goes first: its threads end before what they report to.
    std::unique_ptr<install::TAutoUpdater> fUpdater;
};

} // namespace brivane::ui
