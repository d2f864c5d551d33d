#include "ui/main_window.h"

#include "app/localization.h"
#include "base/identity.h"
#include "platform/folders.h"
#include "ui/animation_clock.h"
#include "ui/category_list.h"
#include "ui/check_list_view.h"
#include "ui/introduction.h"
#include "ui/program_list.h"
#include "ui/progress_window.h"
#include "ui/taskbar_progress.h"
#include "ui/widgets.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace brivane::ui {

namespace {

constexpr int kClientWidth = 711;
constexpr int kClientHeight = 563;
constexpr int kHeaderHeight = 44;
constexpr int kProgressSteps = 1000; // the bars run 0 to 100 in tenths
constexpr double kProgressSeconds = 0.2;
enum TWindowChannel { kProgressChannel = 100 };

QProgressBar* MakeBar(QWidget* aParent, const char* aObjectName) {
    auto* bar = new QProgressBar(aParent);
    bar->setObjectName(QString::fromLatin1(aObjectName));
    bar->setRange(0, kProgressSteps);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->setFixedHeight(8);
    return bar;
}

// The window's own look on top of the system palette: links, panels, the header.
const char* const kStyle = R"(
QPushButton[link="true"] { border: none; text-decoration: underline; font-size: 14pt;
    color: palette(link); padding: 2px 6px; }
QPushButton[link="true"][hovered="true"] { font-size: 14.5pt; }
QPushButton[selector="true"] { border: none; border-bottom: 3px solid transparent;
    font-size: 12pt; padding: 4px 8px; }
QPushButton[selector="true"]:checked { font-weight: bold; border-bottom-color: palette(highlight); }
QPushButton[tool="true"] { border: 1px solid palette(mid); border-radius: 6px; font-size: 13pt;
    min-width: 32px; min-height: 30px; }
QFrame[overlay="true"] { background: rgba(38, 38, 38, 238); border-radius: 10px; }
QFrame[overlay="true"] QLabel { color: white; }
QFrame[overlay="true"] QPushButton { color: white; }
QProgressBar { border: none; border-radius: 4px; background: palette(midlight); }
QProgressBar::chunk { border-radius: 4px; background: palette(highlight); }
)";

} // namespace

TMainForm::TMainForm(ITaskbarProgress* aTaskbar, QWidget* aParent)
    : QWidget(aParent), fTaskbar(aTaskbar), fHelpFolder(platform::GetExecutableFolder() / "Help") {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QString::fromStdString(std::string(kProgramName) + " " + kProgramVersion +
                                          " build " + std::to_string(kProgramBuild)));
    setStyleSheet(QString::fromLatin1(kStyle));
    resize(kClientWidth, kClientHeight);
    setMinimumSize(600, 460);
    setFocusPolicy(Qt::StrongFocus);

    BuildSplash();
    BuildListScreen();
    BuildProgressScreen();
    BuildOverlays();
    BuildConfigMenu();

    for (auto* timer : {&fRefreshTimer, &fHideFilterTimer, &fHideHintTimer}) {
        timer->setSingleShot(true);
    }
    fRefreshTimer.setInterval(300);
    fHideFilterTimer.setInterval(1500);
    connect(&fRefreshTimer, &QTimer::timeout, this, [this] { RefreshLists(); });
    connect(&fHideFilterTimer, &QTimer::timeout, this, [this] { HideFilter(); });
    connect(&fHideHintTimer, &QTimer::timeout, this, [this] { HideHint(); });

    TAnimationClock::Instance().SetEnabled(fEnableAnimations);
    SetProgressState(psNormal);
    fSelectedCategories = fCategoryModel->Selected();
    Retranslate();
    RefreshCategoryCounts();
    fSplash->show();
    fListScreen->hide();
    fProgressScreen->hide();
    LayoutScreens();
}

TMainForm::~TMainForm() = default;

void TMainForm::BuildSplash() {
    fSplash = new QWidget(this);
    fSplash->setObjectName(QStringLiteral("SplashLayout"));
    auto* layout = new QVBoxLayout(fSplash);
    layout->addStretch(3);
    fSplashName = new QLabel(
        QString::fromLatin1(kProgramName.data(), static_cast<qsizetype>(kProgramName.size())),
        fSplash);
    fSplashName->setObjectName(QStringLiteral("lblSplashName"));
    QFont big = fSplashName->font();
    big.setPointSize(40);
    big.setBold(true);
    fSplashName->setFont(big);
    fSplashName->setAlignment(Qt::AlignCenter);
    fSplashText = new QLabel(fSplash);
    fSplashText->setObjectName(QStringLiteral("lblSplashText"));
    fSplashText->setAlignment(Qt::AlignCenter);
    QFont status = fSplashText->font();
    status.setPointSizeF(status.pointSizeF() * 1.15);
    fSplashText->setFont(status);
    fSplashProgress = MakeBar(fSplash, "pbSplashProgress");
    fSplashProgress->setFixedWidth(420);
    layout->addWidget(fSplashName);
    layout->addSpacing(12);
    layout->addWidget(fSplashText);
    layout->addSpacing(10);
    layout->addWidget(fSplashProgress, 0, Qt::AlignHCenter);
    layout->addStretch(4);
}

void TMainForm::BuildListScreen() {
    fListScreen = new QWidget(this);
    fListScreen->setObjectName(QStringLiteral("ListLayout"));
    fHeader = new QWidget(fListScreen);
    fHeader->setObjectName(QStringLiteral("TopMenu"));
    fCategoriesButton = new QPushButton(QStringLiteral("☰"), fHeader);
    fCategoriesButton->setObjectName(QStringLiteral("btCategories"));
    fCategoriesButton->setProperty("tool", true);
    connect(fCategoriesButton, &QPushButton::clicked, this, [this] { ShowCategories(); });
    const char* names[] = {"rbUpdates", "rbActuals", "rbLibrary"};
    for (int list = lmUpdates; list <= lmLibrary; ++list) {
        auto* selector = new QPushButton(fHeader);
        selector->setObjectName(QString::fromLatin1(names[list]));
        selector->setProperty("selector", true);
        selector->setCheckable(true);
        selector->setAutoExclusive(true);
        selector->setFocusPolicy(Qt::TabFocus);
        connect(selector, &QPushButton::clicked, this,
                [this, list] { SelectClicked(static_cast<TListMode>(list)); });
        fSelectors[list] = selector;
    }
    fSelectors[lmUpdates]->setChecked(true);
    fHelpButton = new QPushButton(QStringLiteral("?"), fHeader);
    fHelpButton->setObjectName(QStringLiteral("btHelp"));
    fHelpButton->setProperty("tool", true);
    connect(fHelpButton, &QPushButton::clicked, this, [this] { PlayHelp(); });
    fConfigButton = new QPushButton(QStringLiteral("⚙"), fHeader);
    fConfigButton->setObjectName(QStringLiteral("btConfig"));
    fConfigButton->setProperty("tool", true);
    connect(fConfigButton, &QPushButton::clicked, this, [this] { OpenConfigMenu(); });

    fListArea = new QWidget(fListScreen);
    fListArea->setObjectName(QStringLiteral("ListArea"));
    for (int list = lmUpdates; list <= lmLibrary; ++list) {
        fListPages[list] = BuildListPage(static_cast<TListMode>(list));
    }
    fListPages[lmActual]->hide();
    fListPages[lmLibrary]->hide();
}

QWidget* TMainForm::BuildListPage(TListMode aList) {
    const char* pageNames[] = {"UpdatesLayout", "ActualsLayout", "ProgramsLayout"};
    const char* listNames[] = {"lbUpdates", "lbActuals", "lbLibrary"};
    auto* page = new QWidget(fListArea);
    page->setObjectName(QString::fromLatin1(pageNames[aList]));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* model = new TProgramListModel(this);
    auto* view = new TCheckListView(page);
    view->setObjectName(QString::fromLatin1(listNames[aList]));
    view->setModel(model);
    view->setItemDelegate(new TProgramRowDelegate(view));
    view->OnToggle = [this, aList](int aRow) { ToggleShownRow(aList, aRow); };
    view->OnClickInside = [this, aList](int aRow, QPoint aPosition) {
        return ClickInsideRow(aList, aRow, aPosition);
    };
    view->installEventFilter(this);
    fListModels[aList] = model;
    fListViews[aList] = view;
    layout->addWidget(view, 1);
    if (aList == lmActual) {
        return page;
    }
    auto* bar = new QHBoxLayout();
    bar->setContentsMargins(12, 4, 8, 6);
    auto* size = new QLabel(page);
    size->setObjectName(aList == lmUpdates ? QStringLiteral("lblUpdateSize")
                                           : QStringLiteral("lblProgramSize"));
    auto* install = MakeLink(page, aList == lmUpdates ? "btInstallUpdates" : "btInstallPrograms");
    install->installEventFilter(this);
    connect(install, &QPushButton::clicked, this, [this, aList] {
        RaiseEvent(aList == lmUpdates ? fOnInstallUpdates : fOnInstallPrograms);
    });
    bar->addWidget(size, 1);
    bar->addWidget(install);
    layout->addLayout(bar);
    (aList == lmUpdates ? fUpdateSize : fProgramSize) = size;
    (aList == lmUpdates ? fInstallUpdates : fInstallPrograms) = install;
    return page;
}

void TMainForm::BuildProgressScreen() {
    fProgressScreen = new QWidget(this);
    fProgressScreen->setObjectName(QStringLiteral("ProgressLayout"));
    auto* layout = new QVBoxLayout(fProgressScreen);
    layout->addStretch(3);
    fProgressLabel = new QLabel(fProgressScreen);
    fProgressLabel->setObjectName(QStringLiteral("lblProgress"));
    fProgressLabel->setAlignment(Qt::AlignCenter);
    fProgressLabel->setWordWrap(true);
    QFont font = fProgressLabel->font();
    font.setPointSizeF(font.pointSizeF() * 1.3);
    fProgressLabel->setFont(font);
    fProgressBar = MakeBar(fProgressScreen, "pbProgress");
    fProgressBar->setFixedWidth(420);
    fCancelButton = MakeLink(fProgressScreen, "btCancel");
    fCancelButton->installEventFilter(this);
    fCancelButton->hide();
    connect(fCancelButton, &QPushButton::clicked, this, [this] { RaiseEvent(fOnCancel); });
    layout->addWidget(fProgressLabel);
    layout->addSpacing(10);
    layout->addWidget(fProgressBar, 0, Qt::AlignHCenter);
    layout->addSpacing(10);
    layout->addWidget(fCancelButton, 0, Qt::AlignHCenter);
    layout->addStretch(4);
}

void TMainForm::BuildConfigMenu() {
    fConfigMenu = new QMenu(this);
    fConfigMenu->setObjectName(QStringLiteral("pmConfig"));
    const auto item = [this](const char* aName) {
        auto* action = fConfigMenu->addAction(QString());
        action->setObjectName(QString::fromLatin1(aName));
        action->setCheckable(true);
        return action;
    };
    fAllowBeta = item("miAllowBeta");
    fAllowShareware = item("miAllowShareware");
    fConfigMenu->addSeparator();
    fEnableAnimationsItem = item("miEnableAnimations");
    fCheckForUpdateItem = item("miCheckForUpdate");
    fConfigMenu->addSeparator();
    fLanguageRussian = item("miLanguageRussian");
    fLanguageRussian->setText(QStringLiteral("Русский"));
    fLanguageEnglish = item("miLanguageEnglish");
    fLanguageEnglish->setText(QStringLiteral("English"));
    auto* languages = new QActionGroup(fConfigMenu);
    languages->addAction(fLanguageRussian);
    languages->addAction(fLanguageEnglish);
    connect(fConfigMenu, &QMenu::triggered, this,
            [this](QAction* aItem) { ConfigItemChosen(aItem); });
}

void TMainForm::ConfigItemChosen(QAction* aItem) {
    if (aItem == fLanguageRussian || aItem == fLanguageEnglish) {
        SetLanguage(aItem == fLanguageRussian ? lRussian : lEnglish);
        return;
    }
    // The item has toggled its tick already.
    if (aItem == fEnableAnimationsItem) {
        fEnableAnimations = aItem->isChecked();
        TAnimationClock::Instance().SetEnabled(fEnableAnimations);
    }
    RaiseEvent(fOnConfigChanged);
}

void TMainForm::OpenConfigMenu() {
    // Under the button, right-aligned with it: the button sits at the window's right edge.
    const QPoint corner =
        fConfigButton->mapToGlobal(QPoint(fConfigButton->width(), fConfigButton->height()));
    fConfigMenu->popup(corner - QPoint(fConfigMenu->sizeHint().width(), 0));
}

void TMainForm::RaiseEvent(const TViewEvent& aEvent) {
    // A copy: the handler may rebind the event it was raised by.
    if (const TViewEvent event = aEvent) {
        event();
    }
}

// --- Screens ---

QWidget* TMainForm::ScreenOf(TDisplayMode aMode) const {
    return aMode == dmSplash ? fSplash : aMode == dmList ? fListScreen : fProgressScreen;
}

void TMainForm::LayoutScreens() {
    const QRect client = rect();
    for (auto* screen : {fSplash, fListScreen, fProgressScreen}) {
        screen->setGeometry(client);
    }
    fHeader->setGeometry(0, 0, client.width(), kHeaderHeight);
    fListArea->setGeometry(0, kHeaderHeight, client.width(), client.height() - kHeaderHeight);
    for (auto* page : fListPages) {
        page->setGeometry(fListArea->rect());
    }
    fCategoriesButton->setGeometry(8, 6, 36, 32);
    fConfigButton->setGeometry(client.width() - 8 - 36, 6, 36, 32);
    fHelpButton->setGeometry(client.width() - 8 - 36 - 6 - 36, 6, 36, 32);
    for (int list = lmUpdates; list <= lmLibrary; ++list) {
        fSelectors[list]->setGeometry(SlotX(fPositions[list]), 4, 176, kHeaderHeight - 6);
    }
    LayoutOverlays();
}

void TMainForm::resizeEvent(QResizeEvent* aEvent) {
    QWidget::resizeEvent(aEvent);
    LayoutScreens();
}

void TMainForm::showEvent(QShowEvent* aEvent) {
    QWidget::showEvent(aEvent);
    if (!fServiceStarted) {
        fServiceStarted = true;
        CallOnStart(*this);
        // Once the start sequence has bound the events: the language in use is stored.
        QTimer::singleShot(0, this, [this] { SetLanguage(CurrentLanguage.load()); });
    }
}

void TMainForm::closeEvent(QCloseEvent* aEvent) {
    if (!InstallRunning()) {
        aEvent->accept();
        return;
    }
    // Not killed on the spot: the run is cancelled cleanly (partial downloads removed,
    // settings saved) and the window closes when the lists come back.
    aEvent->ignore();
    const bool russian = CurrentLanguage.load() == lRussian;
    const bool cancel =
        fCloseQuestion
            ? fCloseQuestion()
            : QMessageBox::question(
                  this, windowTitle(),
                  russian ? QStringLiteral("Идёт установка. Отменить её и закрыть программу?")
                          : QStringLiteral("Programs are being installed. Cancel the "
                                           "installation and quit?")) == QMessageBox::Yes;
    if (cancel && InstallRunning()) {
        fCloseWhenCancelled = true;
        RaiseEvent(fOnCancel);
    }
}

void TMainForm::SetDisplayMode(TDisplayMode aValue) {
    if (aValue == fDisplayMode) {
        return;
    }
    if (fCloseWhenCancelled && aValue != dmProgress) {
        fCloseWhenCancelled = false;
        QTimer::singleShot(0, this, [this] { close(); });
    }
    QWidget* from = ScreenOf(fDisplayMode);
    fDisplayMode = aValue;
    fCancelButton->setVisible(static_cast<bool>(fOnCancel));
    Slide(from, ScreenOf(aValue), 1.0);
    emit DisplayModeChanged(aValue);
}

void TMainForm::SetProgressText(const std::string& aValue) {
    const auto text = QString::fromStdString(aValue);
    fProgressLabel->setText(text);
    fSplashText->setText(text);
}

std::string TMainForm::ProgressText() const {
    return fProgressLabel->text().toStdString();
}

void TMainForm::SetProgress(float aValue) {
    const int target = static_cast<int>(std::lround(std::clamp(aValue, 0.0f, 100.0f) * 10));
    auto& clock = TAnimationClock::Instance();
    if (aValue == 0) {
        clock.Stop(this, kProgressChannel);
        fProgressBar->setValue(0);
        fSplashProgress->setValue(0);
    } else {
        clock.Animate(this, kProgressChannel, fProgressBar->value(), target, kProgressSeconds,
                      [this](double aStep) {
                          const int step = static_cast<int>(std::lround(aStep));
                          fProgressBar->setValue(step);
                          fSplashProgress->setValue(step);
                      });
    }
    // Halves go to the even neighbour, as the taskbar's position always has.
    const auto percent = std::nearbyint(aValue);
    if (percent >= 0 && fTaskbar) {
        fTaskbar->SetProgressPosition(static_cast<int>(percent));
    }
}

float TMainForm::Progress() const {
    return static_cast<float>(fProgressBar->value()) / 10.0f;
}

void TMainForm::SetProgressState(TProgressState aValue) {
    fProgressState = aValue;
    if (fTaskbar) {
        fTaskbar->SetProgressState(aValue);
    }
}

void TMainForm::SetOnCancel(TViewEvent aHandler) {
    fOnCancel = std::move(aHandler);
    fCancelButton->setVisible(static_cast<bool>(fOnCancel));
}

// --- Settings ---

bool TMainForm::AllowBeta() const {
    return fAllowBeta->isChecked();
}

void TMainForm::SetAllowBeta(bool aValue) {
    fAllowBeta->setChecked(aValue);
}

bool TMainForm::AllowShareware() const {
    return fAllowShareware->isChecked();
}

void TMainForm::SetAllowShareware(bool aValue) {
    fAllowShareware->setChecked(aValue);
}

bool TMainForm::CheckForUpdate() const {
    return fCheckForUpdateItem->isChecked();
}

void TMainForm::SetCheckForUpdate(bool aValue) {
    fCheckForUpdateItem->setChecked(aValue);
}

void TMainForm::SetEnableAnimations(bool aValue) {
    if (aValue == fEnableAnimations) {
        return;
    }
    fEnableAnimations = aValue;
    fEnableAnimationsItem->setChecked(aValue);
    TAnimationClock::Instance().SetEnabled(aValue);
}

TLanguage TMainForm::Language() const {
    if (fLanguageRussian->isChecked()) {
        return lRussian;
    }
    return fLanguageEnglish->isChecked() ? lEnglish : lDefault;
}

void TMainForm::SetLanguage(TLanguage aValue) {
    CurrentLanguage = aValue;
    fLanguageRussian->setChecked(aValue == lRussian);
    fLanguageEnglish->setChecked(aValue == lEnglish);
    Retranslate();
    RaiseEvent(fOnLanguageChanged);
}

void TMainForm::Retranslate() {
    const auto text = [](const char* aKey) { return QString::fromStdString(Localize(aKey)); };
    fSplashText->setText(text("checkupdate"));
    fInstallUpdates->setText(text("install"));
    fInstallPrograms->setText(text("install"));
    fFilterHint->setText(text("filtercomment"));
    fProgressLabel->setText(text("downloading"));
    fAllowBeta->setText(text("showbeta"));
    fAllowShareware->setText(text("showshare"));
    fEnableAnimationsItem->setText(text("animate"));
    fCheckForUpdateItem->setText(text("checkforupdate"));
    fCancelButton->setText(text("cancel"));
    fHintOK->setText(QStringLiteral("OK"));
    fCategoriesButton->setAccessibleName(
        QString::fromStdString(CurrentLanguage.load() == lRussian ? "Категории" : "Categories"));
    fHelpButton->setAccessibleName(text("welcome"));
    fVideo->SetCaption(text("welcome"));
    const char* listKeys[] = {"updates", "actuals", "library"};
    for (int list = lmUpdates; list <= lmLibrary; ++list) {
        fListViews[list]->setAccessibleName(text(listKeys[list]));
    }
    fCategoryView->setAccessibleName(fCategoriesButton->accessibleName());
    for (auto* button : {fCategoriesButton, fHelpButton, fConfigButton}) {
        button->setToolTip(button->accessibleName());
    }
    fConfigButton->setAccessibleName(
        QString::fromStdString(CurrentLanguage.load() == lRussian ? "Настройки" : "Settings"));
    fFilterLabel->setText(QString::fromStdString(FilterText(fFilter)));
    for (int list = lmUpdates; list <= lmLibrary; ++list) {
        RefreshTexts(static_cast<TListMode>(list));
        fListModels[list]->Relabel();
    }
    fCategoryModel->Relabel();
    if (fProgressForm) {
        fProgressForm->SetTitle(Localize("installing"));
        fProgressForm->CancelButton()->setText(text("cancel"));
    }
}

IProgressView& TMainForm::ProgressWindow() {
    if (fProgressForm) {
        return *fProgressForm;
    }
    return fNoProgressForm;
}

void TMainForm::SetTaskbarProgressPosition(std::int64_t aValue) {
    if (fTaskbar) {
        fTaskbar->SetProgressPosition(static_cast<int>(std::clamp<std::int64_t>(aValue, 0, 100)));
    }
}

void TMainForm::SetVisible(bool aValue) {
    setVisible(aValue);
}

void TMainForm::SetProgressForm(TProgressForm* aForm) {
    fProgressForm = aForm;
    Retranslate();
}

} // namespace brivane::ui
