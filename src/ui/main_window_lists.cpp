// The three lists of the main window: the model rows, the rows shown, ticking, the
// filter and the categories.

#include "app/localization.h"
#include "base/unicode.h"
#include "ui/category_list.h"
#include "ui/check_list_view.h"
#include "ui/main_window.h"
#include "ui/program_list.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace brivane::ui {

namespace {

enum TBulk { kSelectAll, kDeselectAll, kInvert };

bool PrintableText(const QString& aText) {
    return !aText.isEmpty() &&
           std::all_of(aText.begin(), aText.end(), [](QChar aChar) { return aChar.isPrint(); });
}

} // namespace

int TMainForm::AddRow(TListMode aList, const TProgramInfo& aInfo) {
    fModels[aList].push_back({aInfo, false});
    // Shown at once; the filter and the categories apply at the next rebuild.
    fListModels[aList]->Append({aInfo, false});
    RefreshTexts(aList);
    return static_cast<int>(fModels[aList].size()) - 1;
}

int TMainForm::AddUpdate(const TProgramInfo& aProgramInfo) {
    return AddRow(lmUpdates, aProgramInfo);
}

int TMainForm::AddActual(const TProgramInfo& aProgramInfo) {
    return AddRow(lmActual, aProgramInfo);
}

int TMainForm::AddProgram(const TProgramInfo& aProgramInfo) {
    return AddRow(lmLibrary, aProgramInfo);
}

void TMainForm::ClearList(TListMode aList) {
    fModels[aList].clear();
    fListModels[aList]->Clear();
    RefreshTexts(aList);
}

void TMainForm::ClearUpdates() {
    ClearList(lmUpdates);
}

void TMainForm::ClearActuals() {
    ClearList(lmActual);
}

void TMainForm::ClearPrograms() {
    ClearList(lmLibrary);
}

TProgramInfo TMainForm::GetUpdate(int aIndex) const {
    return fModels[lmUpdates].at(static_cast<std::size_t>(aIndex)).Item;
}

TProgramInfo TMainForm::GetProgram(int aIndex) const {
    return fModels[lmLibrary].at(static_cast<std::size_t>(aIndex)).Item;
}

bool TMainForm::ShownChecked(TListMode aList, int aIndex) const {
    if (aIndex < 0 || aIndex >= static_cast<int>(fModels[aList].size())) {
        return false;
    }
    const auto& row = fModels[aList][static_cast<std::size_t>(aIndex)];
    return row.Checked && fListModels[aList]->IndexOf(row.Item.Name) >= 0;
}

bool TMainForm::GetUpdateChecked(int aIndex) const {
    return ShownChecked(lmUpdates, aIndex);
}

bool TMainForm::GetProgramChecked(int aIndex) const {
    return ShownChecked(lmLibrary, aIndex);
}

void TMainForm::SetUpdateChecked(int aIndex, bool aValue) {
    if (aIndex < 0 || aIndex >= UpdatesCount()) {
        return;
    }
    auto& row = fModels[lmUpdates][static_cast<std::size_t>(aIndex)];
    row.Checked = aValue;
    fListModels[lmUpdates]->SetChecked(fListModels[lmUpdates]->IndexOf(row.Item.Name), aValue);
    RefreshTexts(lmUpdates);
}

int TMainForm::ModelIndexOf(TListMode aList, std::string_view aName) const {
    const auto& model = fModels[aList];
    for (std::size_t i = 0; i < model.size(); ++i) {
        if (SameText(model[i].Item.Name, aName)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int TMainForm::IndexOfProgram(std::string_view aName) const {
    return ModelIndexOf(lmLibrary, aName);
}

void TMainForm::SetProgram(int aIndex, const TProgramInfo& aValue) {
    if (aIndex < 0 || aIndex >= ProgramsCount()) {
        return;
    }
    auto& row = fModels[lmLibrary][static_cast<std::size_t>(aIndex)];
    const int shown = fListModels[lmLibrary]->IndexOf(row.Item.Name);
    row.Item = aValue;
    fListModels[lmLibrary]->SetInfo(shown, aValue);
    RefreshTexts(lmLibrary);
}

const std::vector<TListRow>& TMainForm::Shown(TListMode aList) const {
    return fListModels[aList]->Rows();
}

void TMainForm::RefreshList(TListMode aList) {
    const auto& model = fModels[aList];
    std::vector<TListRow> shown;
    for (const auto index : RowsToShow(model, fFilter, fSelectedCategories)) {
        shown.push_back(model[index]);
    }
    auto* view = fListViews[aList];
    view->setUpdatesEnabled(false);
    fListModels[aList]->Reset(std::move(shown));
    // Laid out now rather than at the view's next idle moment: what is drawn next
    // (a picture of the window, say) shows the new rows.
    view->doItemsLayout();
    view->setUpdatesEnabled(true);
    RefreshTexts(aList);
}

void TMainForm::RefreshLists() {
    for (int list = lmUpdates; list <= lmLibrary; ++list) {
        RefreshList(static_cast<TListMode>(list));
    }
    emit ListsRebuilt();
}

void TMainForm::RefreshTexts(TListMode aList) {
    fSelectors[aList]->setText(QString::fromStdString(SelectorText(aList)));
    if (aList == lmUpdates) {
        fUpdateSize->setText(QString::fromStdString(SizeText(lmUpdates)));
    } else if (aList == lmLibrary) {
        fProgramSize->setText(QString::fromStdString(SizeText(lmLibrary)));
    }
}

std::string TMainForm::SizeText(TListMode aList) const {
    if (aList == lmActual) {
        return {};
    }
    return SelectionSizeText(Shown(aList),
                             aList == lmUpdates ? TSizeList::Updates : TSizeList::Library);
}

std::string TMainForm::SelectorText(TListMode aList) const {
    return SelectorCaption(aList, Shown(aList).size());
}

void TMainForm::SetShownChecked(TListMode aList, int aRow, bool aValue) {
    auto* shown = fListModels[aList];
    if (aRow < 0 || aRow >= shown->rowCount()) {
        return;
    }
    const auto& name = shown->Rows()[static_cast<std::size_t>(aRow)].Item.Name;
    if (const int index = ModelIndexOf(aList, name); index >= 0) {
        fModels[aList][static_cast<std::size_t>(index)].Checked = aValue;
    }
    shown->SetChecked(aRow, aValue);
}

void TMainForm::ToggleShownRow(TListMode aList, int aRow) {
    const auto& rows = fListModels[aList]->Rows();
    if (aRow < 0 || aRow >= static_cast<int>(rows.size())) {
        return;
    }
    SetShownChecked(aList, aRow, !rows[static_cast<std::size_t>(aRow)].Checked);
    RefreshTexts(lmUpdates);
    RefreshTexts(lmLibrary);
}

bool TMainForm::ClickInsideRow(TListMode aList, int aRow, QPoint aPosition) {
    auto* view = fListViews[aList];
    const QRect rowRect = view->visualRect(fListModels[aList]->index(aRow));
    if (!TProgramRowDelegate::InfoButtonRect(rowRect).contains(aPosition)) {
        return false;
    }
    const auto texts =
        ProgramRowTexts(fListModels[aList]->Rows()[static_cast<std::size_t>(aRow)].Item);
    if (!texts.HasDescription && texts.Problem.empty()) {
        return false;
    }
    std::string text = texts.Hint;
    if (!texts.Problem.empty()) {
        text = texts.Problem + (text.empty() ? "" : "\n\n" + text);
    }
    ShowHint(texts.Name, text, 0);
    return true;
}

void TMainForm::Bulk(std::optional<TListMode> aList, int aHow) {
    const TListMode list = aList.value_or(fListMode);
    const auto& rows = fListModels[list]->Rows();
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const bool checked = rows[static_cast<std::size_t>(row)].Checked;
        SetShownChecked(list, row,
                        aHow == kSelectAll     ? true
                        : aHow == kDeselectAll ? false
                                               : !checked);
    }
    RefreshTexts(list);
}

void TMainForm::SelectAll(std::optional<TListMode> aList) {
    Bulk(aList, kSelectAll);
}

void TMainForm::DeselectAll(std::optional<TListMode> aList) {
    Bulk(aList, kDeselectAll);
}

void TMainForm::InvertSelection(std::optional<TListMode> aList) {
    Bulk(aList, kInvert);
}

void TMainForm::ToggleCategory(int aRow) {
    if (aRow < 0 || aRow >= fCategoryModel->rowCount()) {
        return;
    }
    fCategoryModel->SetChecked(aRow, !fCategoryModel->Checked(aRow));
    fRefreshTimer.start();
    fSelectedCategories = fCategoryModel->Selected();
    RefreshTexts(lmUpdates);
    RefreshTexts(lmLibrary);
}

void TMainForm::RefreshCategoryCounts() {
    for (int row = 0; row < fCategoryModel->rowCount(); ++row) {
        const auto category = fCategoryModel->Category(row);
        const auto& model = fModels[fListMode];
        fCategoryModel->SetCount(
            row, static_cast<unsigned>(
                     std::count_if(model.begin(), model.end(), [category](const TListRow& aRow) {
                         return aRow.Item.Category == category;
                     })));
    }
}

void TMainForm::InstallShown() {
    if (fListMode == lmUpdates) {
        RaiseEvent(fOnInstallUpdates);
    } else if (fListMode == lmLibrary) {
        RaiseEvent(fOnInstallPrograms);
    }
}

bool TMainForm::KeyHandler(QKeyEvent* aEvent, bool aToWindow) {
    if (fDisplayMode != dmList) {
        return false;
    }
    const auto key = aEvent->key();
    const auto modifiers = aEvent->modifiers() & ~Qt::KeypadModifier;
    bool handled = false;
    if (key == Qt::Key_Escape) {
        if (HelpShown()) {
            HideHelp();
            handled = true;
        } else if (HintShown()) {
            HideHint();
            handled = true;
        } else if (CategoriesShown()) {
            HideCategories();
            handled = true;
        }
    } else if (key == Qt::Key_Backspace) {
        if (fFilter.empty()) {
            return true;
        }
        fFilter.clear();
        ShowFilter();
        fRefreshTimer.stop();
        RefreshLists();
        handled = true;
    } else if ((key == Qt::Key_Return || key == Qt::Key_Enter) && modifiers == Qt::NoModifier) {
        InstallShown();
        handled = true;
    } else if (aToWindow && modifiers == Qt::ControlModifier &&
               (key == Qt::Key_A || key == Qt::Key_D || key == Qt::Key_I)) {
        Bulk(std::nullopt, key == Qt::Key_A   ? kSelectAll
                           : key == Qt::Key_D ? kDeselectAll
                                              : kInvert);
        handled = true;
    } else if ((modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0 &&
               PrintableText(aEvent->text()) && !(key == Qt::Key_Space && fFilter.empty())) {
        // Space ticks the current row until a filter is being typed.
        fFilter += aEvent->text().toStdString();
        ShowFilter();
        fRefreshTimer.start();
        handled = true;
    }
    if (handled) {
        RefreshTexts(fListMode);
    }
    return handled;
}

void TMainForm::keyPressEvent(QKeyEvent* aEvent) {
    if (KeyHandler(aEvent, true)) {
        aEvent->accept();
        return;
    }
    if (aEvent->key() == Qt::Key_Space && fDisplayMode == dmList) {
        auto* view = fListViews[fListMode];
        view->setFocus();
        return;
    }
    QWidget::keyPressEvent(aEvent);
}

} // namespace brivane::ui
