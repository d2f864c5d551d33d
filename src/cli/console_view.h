#pragma once
// The main view of brivane-cli: it keeps the three lists in memory for printing and
// shows the progress of the check passes on a progress bar: the update pass as the
// controller reports it, then the library pass as its rows are replaced.

#include "app/basic_main_view.h"
#include "cli/progress_bar.h"

#include <set>
#include <string>

namespace brivane::cli {

class TConsoleView final : public TBasicMainView {
public:
    explicit TConsoleView(TProgressBar& aBar) : fBar(aBar) {}

    void SetDisplayMode(TDisplayMode aValue) override;
    void SetProgressText(const std::string& aValue) override;
    void SetProgress(float aValue) override;
    void ClearPrograms() override;
    void SetProgram(int aIndex, const TProgramInfo& aValue) override;

private:
    void ShowProgress();
    void ShowLibraryProgress();

    TProgressBar& fBar;
    std::set<int> fCheckedPrograms; // Library rows replaced since the lists were built
};

} // namespace brivane::cli
