#pragma once
// TMainForm: the program's main window and the controller's view. It shows the splash,
// the lists or the progress screen; on the list screen the three lists Updates,
// Actuals and Library, each kept twice: the model rows as the controller handed them
// (with their ticks) and the rows shown, rebuilt from the model when the filter or the
// categories change. Overlays on top: the filter line, the description hint and the
// category chooser. Main thread only.

#include "app/basic_progress_view.h"
#include "app/main_view.h"
#include "ui/list_texts.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;

namespace brivane::ui {

class ITaskbarProgress;
class TCategoryListModel;
class TCheckListView;
class TIntroduction;
class TProgramListModel;
class TProgressForm;

class TMainForm : public QWidget, public IMainView {
    Q_OBJECT

public:
    // aTaskbar (may be null) mirrors the progress; it must outlive the window.
    explicit TMainForm(ITaskbarProgress* aTaskbar = nullptr, QWidget* aParent = nullptr);
    ~TMainForm() override;

    // --- The controller's view ---
    void SetDisplayMode(TDisplayMode aValue) override;
    void SetListMode(TListMode aValue) override;
    void SetProgressText(const std::string& aValue) override;
    void SetProgress(float aValue) override;
    void SetProgressState(TProgressState aValue) override;
    void SetOnCancel(TViewEvent aHandler) override;
    bool AllowBeta() const override;
    void SetAllowBeta(bool aValue) override;
    bool AllowShareware() const override;
    void SetAllowShareware(bool aValue) override;
    bool CheckForUpdate() const override;
    void SetCheckForUpdate(bool aValue) override;
    bool EnableAnimations() const override { return fEnableAnimations; }
    void SetEnableAnimations(bool aValue) override;
    void ClearUpdates() override;
    void ClearActuals() override;
    void ClearPrograms() override;
    int AddUpdate(const TProgramInfo& aProgramInfo) override;
    int AddActual(const TProgramInfo& aProgramInfo) override;
    int AddProgram(const TProgramInfo& aProgramInfo) override;
    void SetUpdateChecked(int aIndex, bool aValue) override;
    int IndexOfProgram(std::string_view aName) const override;
    void SetProgram(int aIndex, const TProgramInfo& aValue) override;
    int UpdatesCount() const override { return static_cast<int>(fModels[lmUpdates].size()); }
    int ActualsCount() const override { return static_cast<int>(fModels[lmActual].size()); }
    int ProgramsCount() const override { return static_cast<int>(fModels[lmLibrary].size()); }
    // Ticked in the model and shown: a ticked row hidden by the filter or the categories
    // reads false, so it is not installed.
    bool GetUpdateChecked(int aIndex) const override;
    TProgramInfo GetUpdate(int aIndex) const override;
    bool GetProgramChecked(int aIndex) const override;
    TProgramInfo GetProgram(int aIndex) const override;
    void SetVisible(bool aValue) override;
    IProgressView& ProgressWindow() override;
    void SetTaskbarProgressPosition(std::int64_t aValue) override;
    void PlayHelp() override;
    void SetOnConfigChanged(TViewEvent aHandler) override {
        fOnConfigChanged = std::move(aHandler);
    }
    void SetOnLanguageChanged(TViewEvent aHandler) override {
        fOnLanguageChanged = std::move(aHandler);
    }
    void SetOnInstallPrograms(TViewEvent aHandler) override {
        fOnInstallPrograms = std::move(aHandler);
    }
    void SetOnInstallUpdates(TViewEvent aHandler) override {
        fOnInstallUpdates = std::move(aHandler);
    }

    // Where the introduction's film and frames are; "Help" beside the program at first.
    void SetHelpFolder(std::filesystem::path aFolder) { fHelpFolder = std::move(aFolder); }
    void HideHelp();
    bool HelpShown() const;
    TIntroduction* Introduction() const { return fVideo; }

    // The progress window, whose title and Cancel link follow the language; without one
    // the progress of the installers is kept in memory only.
    void SetProgressForm(TProgressForm* aForm);

    TDisplayMode DisplayMode() const { return fDisplayMode; }
    TListMode ListMode() const { return fListMode; }
    std::string ProgressText() const;
    float Progress() const;
    TProgressState ProgressState() const { return fProgressState; }
    bool CancelVisible() const { return static_cast<bool>(fOnCancel); }

    // Tick, untick or invert every shown row of a list (the current one by default).
    void SelectAll(std::optional<TListMode> aList = {});
    void DeselectAll(std::optional<TListMode> aList = {});
    void InvertSelection(std::optional<TListMode> aList = {});

    // The description panel; aMilliseconds of 0 or less keeps it until dismissed.
    void ShowHint(const std::string& aCaption, const std::string& aText, int aMilliseconds);
    void HideHint();
    bool HintShown() const;

    TLanguage Language() const;
    // Sets CurrentLanguage, re-labels the window and raises OnLanguageChanged.
    void SetLanguage(TLanguage aValue);

    // --- The list screen as the user sees it ---
    const std::vector<TListRow>& Shown(TListMode aList) const;
    const std::vector<TListRow>& Model(TListMode aList) const { return fModels[aList]; }
    std::string SizeText(TListMode aList) const;
    std::string SelectorText(TListMode aList) const;
    // The selectors from left to right.
    std::array<TListMode, 3> HeaderOrder() const;
    const std::string& Filter() const { return fFilter; }
    TSoftwareCategories SelectedCategories() const { return fSelectedCategories; }
    TCheckListView* ListView(TListMode aList) const { return fListViews[aList]; }
    TCheckListView* CategoryView() const { return fCategoryView; }
    QPushButton* Selector(TListMode aList) const { return fSelectors[aList]; }
    QPushButton* CategoriesButton() const { return fCategoriesButton; }
    QPushButton* InstallButton(TListMode aList) const;
    QPushButton* CancelButton() const { return fCancelButton; }
    QMenu* ConfigMenu() const { return fConfigMenu; }
    // Opens the settings menu under its button, as a click on it does.
    void OpenConfigMenu();
    void ShowCategories();
    void HideCategories();
    bool CategoriesShown() const;
    bool FilterShown() const;
    // Asked when the window is closed while downloads or installers run; true lets the
    // run be cancelled and the window close once it has. A message box by default.
    void SetCloseQuestion(std::function<bool()> aQuestion) {
        fCloseQuestion = std::move(aQuestion);
    }
    // Downloads or installers run: the progress screen shows with its Cancel link.
    bool InstallRunning() const { return fDisplayMode == dmProgress && fOnCancel; }

    // A rebuild of the lists is due (after typing or a category toggle).
    bool RefreshPending() const { return fRefreshTimer.isActive(); }

signals:
    // The screen changed.
    void DisplayModeChanged(TDisplayMode aValue);
    // The shown rows of the lists were rebuilt from the models.
    void ListsRebuilt();

protected:
    void showEvent(QShowEvent* aEvent) override;
    void resizeEvent(QResizeEvent* aEvent) override;
    void keyPressEvent(QKeyEvent* aEvent) override;
    void closeEvent(QCloseEvent* aEvent) override;
    bool eventFilter(QObject* aWatched, QEvent* aEvent) override;

private:
    // Construction, in main_window.cpp.
    void BuildSplash();
    void BuildListScreen();
    void BuildProgressScreen();
    void BuildOverlays();
    void BuildConfigMenu();
    QWidget* BuildListPage(TListMode aList);
    void LayoutScreens();
    QWidget* ScreenOf(TDisplayMode aMode) const;

    // The lists, in main_window_lists.cpp.
    int AddRow(TListMode aList, const TProgramInfo& aInfo);
    void ClearList(TListMode aList);
    void RefreshList(TListMode aList);
    void RefreshLists();
    void RefreshTexts(TListMode aList);
    void ToggleShownRow(TListMode aList, int aRow);
    // Sets the tick of a shown row and of the model row of its name.
    void SetShownChecked(TListMode aList, int aRow, bool aValue);
    int ModelIndexOf(TListMode aList, std::string_view aName) const;
    bool ShownChecked(TListMode aList, int aIndex) const;
    bool ClickInsideRow(TListMode aList, int aRow, QPoint aPosition);
    void Bulk(std::optional<TListMode> aList, int aHow);
    void ToggleCategory(int aRow);
    void RefreshCategoryCounts();
    bool KeyHandler(QKeyEvent* aEvent, bool aToWindow);
    void InstallShown();

    // Screens, header and overlays, in main_window_screens.cpp.
    void Slide(QWidget* aFrom, QWidget* aTo, double aDuration);
    void FadeIn(QWidget* aWidget, double aDuration);
    void Fade(QWidget* aWidget, double aTo, double aSeconds, bool aLinear = false,
              std::function<void()> aFinish = {});
    void SelectClicked(TListMode aList);
    void Select(TListMode aList);
    void PlaceSelector(TListMode aList, int aSlot, double aSeconds);
    void MoveSelector(TListMode aList, int aFromX, int aToX, double aSeconds,
                      std::function<void()> aFinish = {});
    int SlotX(int aSlot) const;
    void ShowFilter();
    void HideFilter();
    void DimLists(bool aDim);
    void LayoutOverlays();
    void Retranslate();
    void ConfigItemChosen(QAction* aItem);
    void RaiseEvent(const TViewEvent& aEvent);

    ITaskbarProgress* fTaskbar;
    TProgressForm* fProgressForm = nullptr;
    TBasicProgressView fNoProgressForm;
    std::filesystem::path fHelpFolder;
    TIntroduction* fVideo = nullptr;
    TDisplayMode fDisplayMode = dmSplash;
    TListMode fListMode = lmUpdates;
    TProgressState fProgressState = psNormal;
    std::array<std::vector<TListRow>, 3> fModels;
    std::string fFilter;
    TSoftwareCategories fSelectedCategories;
    bool fEnableAnimations = false;
    bool fHeaderSlided = false;
    bool fServiceStarted = false;
    bool fCloseWhenCancelled = false;
    std::function<bool()> fCloseQuestion;
    std::array<int, 3> fPositions{0, 1, 2}; // each selector's slot in the header
    TViewEvent fOnInstallUpdates;
    TViewEvent fOnInstallPrograms;
    TViewEvent fOnConfigChanged;
    TViewEvent fOnLanguageChanged;
    TViewEvent fOnCancel;

    // Screens.
    QWidget* fSplash = nullptr;
    QLabel* fSplashName = nullptr;
    QLabel* fSplashText = nullptr;
    QProgressBar* fSplashProgress = nullptr;
    QWidget* fListScreen = nullptr;
    QWidget* fHeader = nullptr;
    QWidget* fListArea = nullptr;
    QWidget* fProgressScreen = nullptr;
    QLabel* fProgressLabel = nullptr;
    QProgressBar* fProgressBar = nullptr;
    QPushButton* fCancelButton = nullptr;

    // The list screen.
    QPushButton* fCategoriesButton = nullptr;
    std::array<QPushButton*, 3> fSelectors{};
    QPushButton* fHelpButton = nullptr;
    QPushButton* fConfigButton = nullptr;
    std::array<QWidget*, 3> fListPages{};
    std::array<TCheckListView*, 3> fListViews{};
    std::array<TProgramListModel*, 3> fListModels{};
    QLabel* fUpdateSize = nullptr;
    QLabel* fProgramSize = nullptr;
    QPushButton* fInstallUpdates = nullptr;
    QPushButton* fInstallPrograms = nullptr;

    // Overlays.
    QWidget* fFilterPanel = nullptr;
    QLabel* fFilterLabel = nullptr;
    QLabel* fFilterHint = nullptr;
    QWidget* fHintPanel = nullptr;
    QLabel* fHintCaption = nullptr;
    QLabel* fHintText = nullptr;
    QPushButton* fHintOK = nullptr;
    QWidget* fCategoriesPanel = nullptr;
    TCheckListView* fCategoryView = nullptr;
    TCategoryListModel* fCategoryModel = nullptr;

    QMenu* fConfigMenu = nullptr;
    QAction* fAllowBeta = nullptr;
    QAction* fAllowShareware = nullptr;
    QAction* fEnableAnimationsItem = nullptr;
    QAction* fCheckForUpdateItem = nullptr;
    QAction* fLanguageRussian = nullptr;
    QAction* fLanguageEnglish = nullptr;

    QTimer fRefreshTimer;
    QTimer fHideFilterTimer;
    QTimer fHideHintTimer;
};

} // namespace brivane::ui
