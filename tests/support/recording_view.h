#pragma once
// A main view for controller tests: it keeps the lists like any window would and
// records the calls that matter to the tests (screens, list modes, progress, the
// introduction), counting every call that did not come on the main thread.

#include "app/basic_main_view.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace brivane::test {

class TRecordingView : public TBasicMainView {
public:
    void SetDisplayMode(TDisplayMode aValue) override;
    void SetListMode(TListMode aValue) override;
    void SetProgressText(const std::string& aValue) override;
    void SetProgress(float aValue) override;
    void SetProgressState(TProgressState aValue) override;
    void SetEnableAnimations(bool aValue) override;
    void ClearPrograms() override;
    int AddProgram(const TProgramInfo& aProgramInfo) override;
    void SetProgram(int aIndex, const TProgramInfo& aValue) override;
    void PlayHelp() override;

    // Every call recorded, in order: "DisplayMode 1", "Progress 50", "PlayHelp", ...
    const std::vector<std::string>& Calls() const { return fCalls; }
    std::vector<float> ProgressValues() const;
    int Count(const std::string& aCall) const;
    void ClearCalls() { fCalls.clear(); }
    int HelpPlayed() const { return Count("PlayHelp"); }
    int OffMainThreadCalls() const { return fOffMainThread.load(); }

    // Called after the view recorded a progress state (on the main thread).
    std::function<void(TProgressState)> OnProgressState;

private:
    void Record(std::string aCall);

    std::vector<std::string> fCalls;
    std::atomic<int> fOffMainThread{0};
};

} // namespace brivane::test
