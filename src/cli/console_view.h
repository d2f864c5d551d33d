#pragma once
// The main view of brivane-cli: it keeps the three lists in memory for printing and
// shows progress on a progress bar: the update pass as the controller reports it, then
// the library pass as its rows are replaced; during an install, the link retrieval and
// the downloads (percentage and bytes), then, once the progress window takes over, the
// installers started out of all.

#include "app/basic_main_view.h"
#include "cli/progress_bar.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>

namespace brivane::cli {

// The progress window of brivane-cli: what it is told redraws the bar through its owner.
class TConsoleProgressView final : public TBasicProgressView {
public:
    explicit TConsoleProgressView(std::function<void()> aChanged) : fChanged(std::move(aChanged)) {}

    void SetVisible(bool aValue) override;
    void SetDownloadText(const std::string& aValue) override;
    void SetDownloadedBytes(std::int64_t aPosition, std::int64_t aMax) override;
    void SetInstallText(const std::string& aValue) override;
    void SetInstallProgress(float aValue) override;

    // The bytes downloaded and expected, once reported.
    const std::optional<std::pair<std::int64_t, std::int64_t>>& Bytes() const { return fBytes; }

private:
    std::function<void()> fChanged;
    std::optional<std::pair<std::int64_t, std::int64_t>> fBytes;
};

class TConsoleView final : public TBasicMainView {
public:
    explicit TConsoleView(TProgressBar& aBar) : fBar(aBar) {}

    void SetDisplayMode(TDisplayMode aValue) override;
    void SetProgressText(const std::string& aValue) override;
    void SetProgress(float aValue) override;
    void ClearPrograms() override;
    void SetProgram(int aIndex, const TProgramInfo& aValue) override;
    TConsoleProgressView& ProgressWindow() override { return fProgressWindow; }

private:
    void ShowProgress();
    void ShowLibraryProgress();
    void ShowInstallProgress();

    TProgressBar& fBar;
    std::set<int> fCheckedPrograms; // Library rows replaced since the lists were built
    float fInstallersShown = 0;     // the installers started as the bar last showed
    TConsoleProgressView fProgressWindow{[this] { ShowProgress(); }};
};

} // namespace brivane::cli
