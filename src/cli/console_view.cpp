#include "cli/console_view.h"

namespace brivane::cli {

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
    // The lists show the library pass instead; a screen without a text yet shows nothing.
    if (DisplayMode() != dmList && !ProgressText().empty()) {
        fBar.Show(ProgressText(), Progress());
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
