#include "cli/console_view.h"

#include "app/localization.h"

namespace brivane::cli {

void TConsoleProgressView::SetVisible(bool aValue) {
    TBasicProgressView::SetVisible(aValue);
    fChanged();
}

void TConsoleProgressView::SetDownloadText(const std::string& aValue) {
    TBasicProgressView::SetDownloadText(aValue);
    fChanged();
}

void TConsoleProgressView::SetDownloadedBytes(std::int64_t aPosition, std::int64_t aMax) {
    fBytes.emplace(aPosition, aMax);
    fChanged();
}

void TConsoleProgressView::SetInstallText(const std::string& aValue) {
    TBasicProgressView::SetInstallText(aValue);
    fChanged();
}

void TConsoleProgressView::SetInstallProgress(float aValue) {
    TBasicProgressView::SetInstallProgress(aValue);
    fChanged();
}

void TConsoleView::SetDisplayMode(TDisplayMode aValue) {
    TBasicMainView::SetDisplayMode(aValue);
    if (aValue == dmList) {
        ShowLibraryProgress();
    } else {
        ShowProgress();
    }
}

void TConsoleView::SetProgressText(const std::string& aValue) {
    TBasicMainView::SetProgressText(aValue);
    ShowProgress();
}

void TConsoleView::SetProgress(float aValue) {
    TBasicMainView::SetProgress(aValue);
    ShowProgress();
}

void TConsoleView::ShowProgress() {
    if (fProgressWindow.Visible()) {
        ShowInstallProgress();
        return;
    }
    // The lists show the library pass instead; a screen without a text yet shows nothing.
    if (DisplayMode() == dmList || ProgressText().empty()) {
        return;
    }
    std::string label = ProgressText();
    const auto& bytes = fProgressWindow.Bytes();
    if (bytes && label == fProgressWindow.DownloadText()) {
        const TLanguage language = CurrentLanguage.load();
        label += " (" + TProgramInfo::FormatSize(bytes->first, language) + " / " +
                 TProgramInfo::FormatSize(bytes->second, language) + ")";
    }
    fBar.Show(label, Progress());
}

void TConsoleView::ShowInstallProgress() {
    const float max = fProgressWindow.InstallProgressMax();
    const float started = fProgressWindow.InstallProgress();
    fBar.Show(fProgressWindow.InstallText(), max > 0 ? 100.0 * started / max : 0.0);
    // An installer has just started: its own output goes below the bar, not into it.
    if (started != fInstallersShown) {
        fInstallersShown = started;
        fBar.Finish();
    }
}

void TConsoleView::ClearPrograms() {
    TBasicMainView::ClearPrograms();
    fCheckedPrograms.clear();
}

void TConsoleView::SetProgram(int aIndex, const TProgramInfo& aValue) {
    TBasicMainView::SetProgram(aIndex, aValue);
    fCheckedPrograms.insert(aIndex);
    ShowLibraryProgress();
}

void TConsoleView::ShowLibraryProgress() {
    const auto total = Programs().size();
    if (total == 0 || fCheckedPrograms.size() >= total) {
        fBar.Clear();
        return;
    }
    fBar.Show("Library " + std::to_string(fCheckedPrograms.size()) + "/" + std::to_string(total),
              100.0 * static_cast<double>(fCheckedPrograms.size()) / static_cast<double>(total));
}

} // namespace brivane::cli
