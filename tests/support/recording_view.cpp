#include "support/recording_view.h"

#include "tasks/main_thread.h"

#include <algorithm>

namespace brivane::test {

void TRecordingView::Record(std::string aCall) {
    const auto dispatcher = MainThreadDispatcher();
    if (!dispatcher || !dispatcher->IsMainThread()) {
        ++fOffMainThread;
        return; // recording here would be a data race of its own
    }
    fCalls.push_back(std::move(aCall));
}

void TRecordingView::SetDisplayMode(TDisplayMode aValue) {
    Record("DisplayMode " + std::to_string(aValue));
    TBasicMainView::SetDisplayMode(aValue);
}

void TRecordingView::SetListMode(TListMode aValue) {
    Record("ListMode " + std::to_string(aValue));
    TBasicMainView::SetListMode(aValue);
}

void TRecordingView::SetProgressText(const std::string& aValue) {
    Record("ProgressText " + aValue);
    TBasicMainView::SetProgressText(aValue);
}

void TRecordingView::SetProgress(float aValue) {
    Record("Progress " + std::to_string(aValue));
    TBasicMainView::SetProgress(aValue);
}

void TRecordingView::SetProgressState(TProgressState aValue) {
    Record("ProgressState " + std::to_string(aValue));
    TBasicMainView::SetProgressState(aValue);
    if (OnProgressState) {
        OnProgressState(aValue);
    }
}

void TRecordingView::SetEnableAnimations(bool aValue) {
    Record(std::string("EnableAnimations ") + (aValue ? "1" : "0"));
    TBasicMainView::SetEnableAnimations(aValue);
}

void TRecordingView::ClearPrograms() {
    Record("ClearPrograms");
    TBasicMainView::ClearPrograms();
}

int TRecordingView::AddProgram(const TProgramInfo& aProgramInfo) {
    Record("AddProgram " + aProgramInfo.Name);
    return TBasicMainView::AddProgram(aProgramInfo);
}

void TRecordingView::SetProgram(int aIndex, const TProgramInfo& aValue) {
    Record("SetProgram " + aValue.Name);
    TBasicMainView::SetProgram(aIndex, aValue);
}

void TRecordingView::PlayHelp() {
    Record("PlayHelp");
}

std::vector<float> TRecordingView::ProgressValues() const {
    std::vector<float> values;
    for (const auto& call : fCalls) {
        if (call.starts_with("Progress ")) {
            values.push_back(std::stof(call.substr(9)));
        }
    }
    return values;
}

int TRecordingView::Count(const std::string& aCall) const {
    return static_cast<int>(std::count(fCalls.begin(), fCalls.end(), aCall));
}

} // namespace brivane::test
