// The main window's screens, header and overlays: slides and fades, the rotating list
// selectors, the filter line, the description hint and the category chooser.

#include "app/localization.h"
#include "ui/animation_clock.h"
#include "ui/category_list.h"
#include "ui/check_list_view.h"
#include "ui/introduction.h"
#include "ui/main_window.h"
#include "ui/widgets.h"

#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <cmath>

namespace brivane::ui {

namespace {

enum TWidgetChannel { kOpacityChannel = 1, kPositionChannel, kFadeMarkerChannel };
constexpr int kSelectorWidth = 176;
constexpr int kSelectorMargins = 4 + 4;
constexpr int kFirstSlotX = 8 + 36 + 8 + 4;
constexpr int kHintWidth = 490;
constexpr int kHintMinHeight = 85;
constexpr double kOverlaySeconds = 0.25;
constexpr double kHintSeconds = 0.3;
constexpr double kDimmed = 0.25;

double OpacityOf(const QWidget* aWidget) {
    const auto* effect = qobject_cast<const QGraphicsOpacityEffect*>(aWidget->graphicsEffect());
    return effect ? effect->opacity() : 1.0;
}

void SetOpacity(QWidget* aWidget, double aValue) {
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(aWidget->graphicsEffect());
    if (aValue >= 1.0) {
        // Fully opaque widgets draw directly, crisp and fast.
        if (effect) {
            aWidget->setGraphicsEffect(nullptr);
        }
        return;
    }
    if (!effect) {
        effect = new QGraphicsOpacityEffect(aWidget);
        aWidget->setGraphicsEffect(effect);
    }
    effect->setOpacity(aValue);
}

QFrame* MakeOverlay(QWidget* aParent, const char* aObjectName) {
    auto* panel = new QFrame(aParent);
    panel->setObjectName(QString::fromLatin1(aObjectName));
    panel->setProperty("overlay", true);
    panel->hide();
    return panel;
}

} // namespace

void TMainForm::BuildOverlays() {
    auto* filter = MakeOverlay(fListScreen, "FilterHint");
    auto* filterLayout = new QVBoxLayout(filter);
    fFilterLabel = new QLabel(filter);
    fFilterLabel->setObjectName(QStringLiteral("lblFilter"));
    fFilterLabel->setAlignment(Qt::AlignCenter);
    QFont bold = fFilterLabel->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    fFilterLabel->setFont(bold);
    fFilterHint = new QLabel(filter);
    fFilterHint->setObjectName(QStringLiteral("lblFilterHint"));
    fFilterHint->setAlignment(Qt::AlignCenter);
    filterLayout->addWidget(fFilterLabel);
    filterLayout->addWidget(fFilterHint);
    filter->setAttribute(Qt::WA_TransparentForMouseEvents);
    fFilterPanel = filter;

    auto* hint = MakeOverlay(fListScreen, "Hint");
    auto* hintLayout = new QVBoxLayout(hint);
    hintLayout->setContentsMargins(18, 12, 18, 12);
    fHintCaption = MakeCaption(hint, "lblHintCaption");
    fHintText = new QLabel(hint);
    fHintText->setObjectName(QStringLiteral("lblHint"));
    fHintText->setWordWrap(true);
    fHintText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fHintOK = MakeLink(hint, "btHintOK");
    connect(fHintOK, &QPushButton::clicked, this, [this] { HideHint(); });
    hintLayout->addWidget(fHintCaption);
    hintLayout->addWidget(fHintText, 1);
    hintLayout->addWidget(fHintOK, 0, Qt::AlignRight);
    fHintPanel = hint;

    auto* categories = MakeOverlay(fListScreen, "CategoriesLayout");
    auto* categoriesLayout = new QVBoxLayout(categories);
    categoriesLayout->setContentsMargins(8, 8, 8, 8);
    fCategoryModel = new TCategoryListModel(this);
    fCategoryView = new TCheckListView(categories);
    fCategoryView->setObjectName(QStringLiteral("lbCategories"));
    fCategoryView->setModel(fCategoryModel);
    fCategoryView->setItemDelegate(new TCategoryRowDelegate(fCategoryView));
    fCategoryView->setStyleSheet(QStringLiteral("background: transparent;"));
    fCategoryView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fCategoryView->OnToggle = [this](int aRow) { ToggleCategory(aRow); };
    fCategoryView->installEventFilter(this);
    categoriesLayout->addWidget(fCategoryView);
    fCategoriesPanel = categories;

    fVideo = new TIntroduction(this);
    fVideo->hide();
    connect(fVideo->OKButton(), &QPushButton::clicked, this, [this] { HideHelp(); });
}

void TMainForm::LayoutOverlays() {
    const int width = this->width();
    const int height = this->height();
    fFilterPanel->setGeometry((width - 380) / 2, height - 70 - 64, 380, 64);
    const int hintHeight =
        std::max(kHintMinHeight, fHintPanel->layout()->heightForWidth(kHintWidth) > 0
                                     ? fHintPanel->layout()->heightForWidth(kHintWidth)
                                     : fHintPanel->sizeHint().height());
    fHintPanel->setGeometry((width - kHintWidth) / 2, (height - hintHeight) / 2, kHintWidth,
                            hintHeight);
    const int videoWidth = std::min(620, width - 40);
    const int videoHeight = std::min(500, height - 40);
    fVideo->setGeometry((width - videoWidth) / 2, (height - videoHeight) / 2, videoWidth,
                        videoHeight);
    const int count = fCategoryModel->rowCount();
    fCategoriesPanel->setGeometry(8, 46, kCategoryRowWidth + 16,
                                  count * kCategoryRowHeight + count * 2 + 16);
}

bool TMainForm::eventFilter(QObject* aWatched, QEvent* aEvent) {
    switch (aEvent->type()) {
    case QEvent::KeyPress:
        if (qobject_cast<TCheckListView*>(aWatched)) {
            auto* key = static_cast<QKeyEvent*>(aEvent);
            // Selection shortcuts count only when sent to the window itself: a list's
            // must not reach it on their way up.
            const bool selection =
                key->modifiers() == Qt::ControlModifier &&
                (key->key() == Qt::Key_A || key->key() == Qt::Key_D || key->key() == Qt::Key_I);
            if (KeyHandler(key, false) || selection) {
                return true;
            }
        }
        break;
    case QEvent::Enter:
    case QEvent::Leave:
        if (auto* link = qobject_cast<QPushButton*>(aWatched);
            link && link->property("link").toBool()) {
            // The link's font grows while the pointer is over it.
            link->setProperty("hovered", aEvent->type() == QEvent::Enter);
            link->style()->unpolish(link);
            link->style()->polish(link);
        } else if (aWatched == fCategoryView && aEvent->type() == QEvent::Leave) {
            HideCategories();
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(aWatched, aEvent);
}

// --- Fades and slides ---

void TMainForm::Fade(QWidget* aWidget, double aTo, double aSeconds, bool aLinear,
                     std::function<void()> aFinish) {
    TAnimationClock::Instance().Animate(
        aWidget, kOpacityChannel, OpacityOf(aWidget), aTo, aSeconds,
        [aWidget](double aValue) { SetOpacity(aWidget, aValue); }, std::move(aFinish),
        aLinear ? TEasing::Linear : TEasing::OutCubic);
}

void TMainForm::FadeIn(QWidget* aWidget, double aDuration) {
    auto& clock = TAnimationClock::Instance();
    if (clock.IsAnimating(aWidget, kFadeMarkerChannel)) {
        return; // a fade of this widget is running
    }
    clock.Animate(aWidget, kFadeMarkerChannel, 0, 1, aDuration + 0.1, [](double) {});
    SetOpacity(aWidget, 0);
    aWidget->show();
    Fade(aWidget, 1, aDuration);
    const int x0 = aWidget->x();
    clock.Animate(
        aWidget, kPositionChannel, x0 + aWidget->width() * 0.15, x0, aDuration,
        [aWidget](double aX) { aWidget->move(static_cast<int>(std::lround(aX)), aWidget->y()); });
}

void TMainForm::Slide(QWidget* aFrom, QWidget* aTo, double aDuration) {
    if (!TAnimationClock::Instance().Enabled()) {
        aFrom->hide();
        SetOpacity(aTo, 1);
        aTo->show();
        return;
    }
    aFrom->hide();
    aTo->hide();
    // The pause before the fade: (duration / 2 - 0.1) rounded, in tenths of a second.
    const int pause = static_cast<int>(std::lround(aDuration / 2 - 0.1)) * 100;
    QTimer::singleShot(pause, aTo, [this, aTo, aDuration] {
        // A later slide may have gone elsewhere before this one began.
        if (aTo == ScreenOf(fDisplayMode) || aTo == fListPages[fListMode]) {
            FadeIn(aTo, aDuration / 2);
        }
    });
}

// --- The header ---

int TMainForm::SlotX(int aSlot) const {
    return kFirstSlotX + aSlot * (kSelectorWidth + kSelectorMargins);
}

std::array<TListMode, 3> TMainForm::HeaderOrder() const {
    std::array<TListMode, 3> order{};
    for (int list = lmUpdates; list <= lmLibrary; ++list) {
        order[static_cast<std::size_t>(fPositions[list])] = static_cast<TListMode>(list);
    }
    return order;
}

void TMainForm::MoveSelector(TListMode aList, int aFromX, int aToX, double aSeconds,
                             std::function<void()> aFinish) {
    auto* selector = fSelectors[aList];
    selector->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    TAnimationClock::Instance().Animate(
        selector, kPositionChannel, aFromX, aToX, aSeconds,
        [selector](double aX) { selector->move(static_cast<int>(std::lround(aX)), selector->y()); },
        [selector, finish = std::move(aFinish)] {
            if (finish) {
                finish();
            } else {
                selector->setAttribute(Qt::WA_TransparentForMouseEvents, false);
            }
        });
}

void TMainForm::PlaceSelector(TListMode aList, int aSlot, double aSeconds) {
    MoveSelector(aList, fSelectors[aList]->x(), SlotX(aSlot), aSeconds);
}

void TMainForm::SelectClicked(TListMode aList) {
    fHeaderSlided = true;
    Select(aList);
    fHeaderSlided = false;
}

void TMainForm::Select(TListMode aList) {
    const int t = fPositions[aList];
    if (t == 0) {
        return;
    }
    // Without animations the selectors jump to their slots: a header whose order no
    // longer matched the numbers would take a click on the first selector for nothing.
    const bool animate = TAnimationClock::Instance().Enabled();
    PlaceSelector(aList, 0, animate ? 0.5 : 0);
    for (int list = lmUpdates; list <= lmLibrary; ++list) {
        if (list == aList) {
            SetListMode(aList);
            continue;
        }
        const auto other = static_cast<TListMode>(list);
        const int p = fPositions[list] - t;
        if (p >= 0 || !animate) {
            fPositions[list] = p >= 0 ? p : p + 3;
            PlaceSelector(other, fPositions[list], animate ? 0.5 : 0);
            continue;
        }
        // Out at the left edge, in again from the right.
        fPositions[list] = p + 3;
        MoveSelector(other, fSelectors[list]->x(), SlotX(p), 0.25, [this, other, p] {
            MoveSelector(other, SlotX(p) + width(), SlotX(p + 3), 0.25);
        });
    }
    fPositions[aList] = 0;
}

void TMainForm::SetListMode(TListMode aValue) {
    if (aValue == fListMode) {
        return;
    }
    RefreshList(fListMode);
    Slide(fListPages[fListMode], fListPages[aValue], 1.0);
    fListMode = aValue;
    if (!fHeaderSlided) {
        QTimer::singleShot(10, this, [this, aValue] {
            if (!fSelectors[aValue]->isChecked()) {
                Select(aValue);
                fSelectors[aValue]->setChecked(true);
            }
        });
    }
    fHeaderSlided = false;
    RefreshCategoryCounts();
}

// --- Overlays ---

void TMainForm::DimLists(bool aDim) {
    for (auto* widget : {fHeader, fListArea}) {
        widget->setAttribute(Qt::WA_TransparentForMouseEvents, aDim);
        Fade(widget, aDim ? kDimmed : 1.0, kOverlaySeconds);
    }
}

void TMainForm::ShowFilter() {
    if (!fFilterPanel->isVisible()) {
        SetOpacity(fFilterPanel, 0);
        fFilterPanel->show();
        fFilterPanel->raise();
    }
    Fade(fFilterPanel, 1, kOverlaySeconds);
    fHideFilterTimer.start();
    fFilterLabel->setText(QString::fromStdString(FilterText(fFilter)));
}

void TMainForm::HideFilter() {
    fHideFilterTimer.stop();
    Fade(fFilterPanel, 0, kOverlaySeconds, false, [this] { fFilterPanel->hide(); });
}

bool TMainForm::FilterShown() const {
    return fFilterPanel->isVisible();
}

void TMainForm::ShowHint(const std::string& aCaption, const std::string& aText, int aMilliseconds) {
    if (!fHintPanel->isVisible()) {
        SetOpacity(fHintPanel, 0);
        fHintPanel->show();
    }
    fHintPanel->raise();
    fHintCaption->setText(QString::fromStdString(aCaption));
    fHintText->setText(QString::fromStdString(aText));
    LayoutOverlays();
    Fade(fHintPanel, 1, kHintSeconds);
    fHintPanel->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    fHintOK->setFocus();
    if (aMilliseconds > 0) {
        fHideHintTimer.start(aMilliseconds);
    }
    DimLists(true);
}

void TMainForm::HideHint() {
    fHideHintTimer.stop();
    fHintPanel->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    Fade(fHintPanel, 0, kHintSeconds, true, [this] { fHintPanel->hide(); });
    DimLists(false);
    fListViews[fListMode]->setFocus();
}

bool TMainForm::HintShown() const {
    return fHintPanel->isVisible() && !fHintPanel->testAttribute(Qt::WA_TransparentForMouseEvents);
}

void TMainForm::ShowCategories() {
    if (!fCategoriesPanel->isVisible()) {
        SetOpacity(fCategoriesPanel, 0);
        fCategoriesPanel->show();
    }
    fCategoriesPanel->raise();
    RefreshCategoryCounts();
    LayoutOverlays();
    fCategoriesPanel->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    Fade(fCategoriesPanel, 1, kOverlaySeconds);
    fCategoryView->setFocus();
    DimLists(true);
}

void TMainForm::HideCategories() {
    if (!CategoriesShown()) {
        return;
    }
    fCategoriesPanel->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    Fade(fCategoriesPanel, 0, kOverlaySeconds, false, [this] { fCategoriesPanel->hide(); });
    DimLists(false);
    fListViews[fListMode]->setFocus();
}

bool TMainForm::CategoriesShown() const {
    return fCategoriesPanel->isVisible() &&
           !fCategoriesPanel->testAttribute(Qt::WA_TransparentForMouseEvents);
}

QPushButton* TMainForm::InstallButton(TListMode aList) const {
    return aList == lmUpdates ? fInstallUpdates : aList == lmLibrary ? fInstallPrograms : nullptr;
}

void TMainForm::PlayHelp() {
    const TLanguage language = CurrentLanguage.load();
    if (!TIntroduction::Available(fHelpFolder, language)) {
        return;
    }
    if (!fVideo->isVisible()) {
        SetOpacity(fVideo, 0);
        fVideo->show();
    }
    fVideo->raise();
    Fade(fVideo, 1, kHintSeconds);
    fVideo->OKButton()->setFocus();
    // The film starts once the panel is there.
    QTimer::singleShot(500, fVideo, [this, language] {
        if (fVideo->isVisible()) {
            fVideo->Play(fHelpFolder, language);
        }
    });
}

void TMainForm::HideHelp() {
    fVideo->Stop();
    Fade(fVideo, 0, kHintSeconds, false, [this] { fVideo->hide(); });
    fListViews[fListMode]->setFocus();
}

bool TMainForm::HelpShown() const {
    return fVideo->isVisible();
}

} // namespace brivane::ui
