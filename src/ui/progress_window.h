#pragma once
// TProgressForm: the small borderless window, always on top, that stands in for the
// main window while installers are downloaded and run: a title, the download line with
// its bar, the install line with its bar and a Cancel link. It unrolls from its left
// edge when shown and rolls up when hidden. Main thread only.

#include "app/main_view.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace brivane::ui {

class TProgressForm : public QWidget, public IProgressView {
    Q_OBJECT

public:
    explicit TProgressForm(QWidget* aParent = nullptr);

    // --- The controller's progress window ---
    void SetVisible(bool aValue) override { SetShown(aValue); }
    void SetDownloadText(const std::string& aValue) override;
    void SetDownloadProgress(float aValue) override;
    void SetInstallText(const std::string& aValue) override;
    void SetInstallProgress(float aValue) override;
    void SetInstallProgressMax(float aValue) override { SetInstallRange(0, aValue); }
    void SetOnCancel(TViewEvent aHandler) override { fOnCancel = std::move(aHandler); }

    std::string Title() const;
    void SetTitle(const std::string& aValue);
    std::string DownloadText() const;
    std::string InstallText() const;

    // A value other than 0 is reached over 0.2 s; 0 is set at once.
    float DownloadProgress() const;
    float InstallProgress() const;
    void SetDownloadRange(float aMin, float aMax);
    void SetInstallRange(float aMin, float aMax);
    float InstallProgressMax() const;

    // Showing unrolls the window over 0.5 s; hiding rolls it up and hides it 550 ms
    // later, unless it was shown again meanwhile.
    bool Shown() const { return fShown; }
    void SetShown(bool aValue);

    QPushButton* CancelButton() const { return fCancel; }

    // The width of the unrolled window.
    static constexpr int kWidth = 340;

protected:
    bool eventFilter(QObject* aWatched, QEvent* aEvent) override;

private:
    void SetRootWidth(double aWidth);

    bool fShown = false;
    TViewEvent fOnCancel;
    QWidget* fRoot = nullptr;
    QWidget* fContent = nullptr;
    QLabel* fTitle = nullptr;
    QLabel* fDownload = nullptr;
    QProgressBar* fDownloadBar = nullptr;
    QLabel* fInstall = nullptr;
    QProgressBar* fInstallBar = nullptr;
    QPushButton* fCancel = nullptr;
};

} // namespace brivane::ui
