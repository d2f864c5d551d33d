#include "app/basic_main_view.h"

#include "base/unicode.h"

#include <algorithm>

namespace brivane {

namespace {

int Append(std::vector<TListRow>& aList, const TProgramInfo& aProgramInfo) {
    aList.push_back({aProgramInfo, false});
    return static_cast<int>(aList.size()) - 1;
}

bool InRange(const std::vector<TListRow>& aList, int aIndex) {
    return aIndex >= 0 && static_cast<std::size_t>(aIndex) < aList.size();
}

TListRow RowAt(const std::vector<TListRow>& aList, int aIndex) {
    return InRange(aList, aIndex) ? aList[static_cast<std::size_t>(aIndex)] : TListRow{};
}

} // namespace

int TBasicMainView::AddUpdate(const TProgramInfo& aProgramInfo) {
    return Append(fUpdates, aProgramInfo);
}

int TBasicMainView::AddActual(const TProgramInfo& aProgramInfo) {
    return Append(fActuals, aProgramInfo);
}

int TBasicMainView::AddProgram(const TProgramInfo& aProgramInfo) {
    return Append(fPrograms, aProgramInfo);
}

void TBasicMainView::SetUpdateChecked(int aIndex, bool aValue) {
    if (InRange(fUpdates, aIndex)) {
        fUpdates[static_cast<std::size_t>(aIndex)].Checked = aValue;
    }
}

void TBasicMainView::SetProgramChecked(int aIndex, bool aValue) {
    if (InRange(fPrograms, aIndex)) {
        fPrograms[static_cast<std::size_t>(aIndex)].Checked = aValue;
    }
}

bool TBasicMainView::GetUpdateChecked(int aIndex) const {
    return RowAt(fUpdates, aIndex).Checked;
}

TProgramInfo TBasicMainView::GetUpdate(int aIndex) const {
    return RowAt(fUpdates, aIndex).Item;
}

bool TBasicMainView::GetProgramChecked(int aIndex) const {
    return RowAt(fPrograms, aIndex).Checked;
}

TProgramInfo TBasicMainView::GetProgram(int aIndex) const {
    return RowAt(fPrograms, aIndex).Item;
}

int TBasicMainView::IndexOfProgram(std::string_view aName) const {
    const auto found = std::find_if(fPrograms.begin(), fPrograms.end(), [aName](const auto& aRow) {
        return SameText(aRow.Item.Name, aName);
    });
    return found == fPrograms.end() ? -1 : static_cast<int>(found - fPrograms.begin());
}

void TBasicMainView::SetProgram(int aIndex, const TProgramInfo& aValue) {
    if (InRange(fPrograms, aIndex)) {
        fPrograms[static_cast<std::size_t>(aIndex)].Item = aValue;
    }
}

} // namespace brivane
