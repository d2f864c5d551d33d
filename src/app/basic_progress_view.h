#pragma once
// A progress window without a window: it keeps what the controller shows in memory. The
// console front end and the test fakes derive from it.

#include "app/progress_view.h"

namespace brivane {

class TBasicProgressView : public IProgressView {
public:
    void SetVisible(bool aValue) override { fVisible = aValue; }
    void SetDownloadText(const std::string& aValue) override { fDownloadText = aValue; }
    void SetDownloadProgress(float aValue) override { fDownloadProgress = aValue; }
    void SetInstallText(const std::string& aValue) override { fInstallText = aValue; }
    void SetInstallProgress(float aValue) override { fInstallProgress = aValue; }
    void SetInstallProgressMax(float aValue) override { fInstallProgressMax = aValue; }
    void SetOnCancel(TViewEvent aHandler) override { fOnCancel = std::move(aHandler); }

    bool Visible() const { return fVisible; }
    const std::string& DownloadText() const { return fDownloadText; }
    float DownloadProgress() const { return fDownloadProgress; }
    const std::string& InstallText() const { return fInstallText; }
    float InstallProgress() const { return fInstallProgress; }
    float InstallProgressMax() const { return fInstallProgressMax; }
    bool CancelVisible() const { return static_cast<bool>(fOnCancel); }

    // Raises the Cancel link's event as the user would; a copy, since the handler may
    // rebind it.
    void Cancel() const {
        if (const TViewEvent handler = fOnCancel) {
            handler();
        }
    }

private:
    bool fVisible = false;
    std::string fDownloadText;
    float fDownloadProgress = 0;
    std::string fInstallText;
    float fInstallProgress = 0;
    float fInstallProgressMax = 100;
    TViewEvent fOnCancel;
};

} // namespace brivane
