#include "ui/progress_window.h"

#include "ui/animation_clock.h"

#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include <cmath>

namespace brivane::ui {

namespace {

// Tall enough for the Cancel link: a window that hid it would leave no way to stop.
constexpr int kHeight = 122;
constexpr int kScale = 100; // the bars count hundredths
enum TChannel { kWidthChannel = 1, kOpacityChannel, kDownloadChannel, kInstallChannel };

// Sizes in device-independent pixels: the window's layout is counted in them.
QLabel* MakeLine(QWidget* aParent, const char* aName, int aPixels, const QString& aText) {
    auto* label = new QLabel(aText, aParent);
    label->setObjectName(QString::fromLatin1(aName));
    QFont font = label->font();
    font.setPixelSize(aPixels);
    label->setFont(font);
    return label;
}

QProgressBar* MakeBar(QWidget* aParent, const char* aName) {
    auto* bar = new QProgressBar(aParent);
    bar->setObjectName(QString::fromLatin1(aName));
    bar->setTextVisible(false);
    bar->setRange(0, 100 * kScale);
    bar->setValue(0);
    return bar;
}

void AnimateBar(QObject* aOwner, int aChannel, QProgressBar* aBar, float aValue) {
    const int target = static_cast<int>(std::lround(aValue * kScale));
    if (aValue == 0) {
        TAnimationClock::Instance().Stop(aOwner, aChannel);
        aBar->setValue(target);
        return;
    }
    TAnimationClock::Instance().Animate(
        aOwner, aChannel, aBar->value(), target, 0.2,
        [aBar](double aStep) { aBar->setValue(static_cast<int>(std::lround(aStep))); });
}

} // namespace

TProgressForm::TProgressForm(QWidget* aParent)
    : QWidget(aParent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("ProgressForm"));
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(kWidth, kHeight);
    move(0, 30);
    setStyleSheet(QStringLiteral(
        "#Root { background: rgba(38, 38, 38, 240); border-radius: 8px; }"
        "QLabel { color: white; }"
        "QPushButton { border: none; color: white; text-decoration: underline; font-size: 14px; }"
        "QPushButton[hovered=\"true\"] { font-size: 15px; }"
        "QProgressBar { border: none; border-radius: 3px; background: rgba(255, 255, 255, 60); }"
        "QProgressBar::chunk { border-radius: 3px; background: #4AA3DF; }"));
    fRoot = new QWidget(this);
    fRoot->setObjectName(QStringLiteral("Root"));
    fRoot->setAttribute(Qt::WA_StyledBackground);
    fRoot->setGeometry(0, 0, kWidth, kHeight);
    fContent = new QWidget(fRoot);
    fContent->setObjectName(QStringLiteral("Content"));
    fContent->setGeometry(0, 0, kWidth, kHeight);
    fTitle = MakeLine(fContent, "lblTitle", 18, QStringLiteral("Brivane - установка"));
    fTitle->setGeometry(8, 5, kWidth - 16, 25);
    fDownload = MakeLine(fContent, "lblDownload", 14, QStringLiteral("Загрузка инсталляторов 0%"));
    fDownload->setGeometry(18, 32, kWidth - 26, 20);
    fDownloadBar = MakeBar(fContent, "pbDownload");
    fDownloadBar->setGeometry(18, 54, kWidth - 26, 8);
    fInstall = MakeLine(fContent, "lblInstall", 14, QStringLiteral("Установка 0/100"));
    fInstall->setGeometry(18, 64, kWidth - 26, 20);
    fInstallBar = MakeBar(fContent, "pbInstall");
    fInstallBar->setGeometry(18, 86, kWidth - 26, 8);
    fCancel = new QPushButton(fContent);
    fCancel->setObjectName(QStringLiteral("btCancel"));
    fCancel->setFlat(true);
    fCancel->setCursor(Qt::PointingHandCursor);
    fCancel->setGeometry(kWidth - 8 - 100, 96, 100, 24);
    fCancel->installEventFilter(this);
    connect(fCancel, &QPushButton::clicked, this, [this] {
        if (const TViewEvent handler = fOnCancel) {
            handler();
        }
    });
}

bool TProgressForm::eventFilter(QObject* aWatched, QEvent* aEvent) {
    if (aWatched == fCancel &&
        (aEvent->type() == QEvent::Enter || aEvent->type() == QEvent::Leave)) {
        fCancel->setProperty("hovered", aEvent->type() == QEvent::Enter);
        fCancel->style()->unpolish(fCancel);
        fCancel->style()->polish(fCancel);
    }
    return QWidget::eventFilter(aWatched, aEvent);
}

std::string TProgressForm::Title() const {
    return fTitle->text().toStdString();
}

void TProgressForm::SetTitle(const std::string& aValue) {
    fTitle->setText(QString::fromStdString(aValue));
}

std::string TProgressForm::DownloadText() const {
    return fDownload->text().toStdString();
}

void TProgressForm::SetDownloadText(const std::string& aValue) {
    fDownload->setText(QString::fromStdString(aValue));
    fDownload->repaint();
}

std::string TProgressForm::InstallText() const {
    return fInstall->text().toStdString();
}

void TProgressForm::SetInstallText(const std::string& aValue) {
    fInstall->setText(QString::fromStdString(aValue));
    fInstall->repaint();
}

float TProgressForm::DownloadProgress() const {
    return static_cast<float>(fDownloadBar->value()) / kScale;
}

void TProgressForm::SetDownloadProgress(float aValue) {
    AnimateBar(this, kDownloadChannel, fDownloadBar, aValue);
}

float TProgressForm::InstallProgress() const {
    return static_cast<float>(fInstallBar->value()) / kScale;
}

void TProgressForm::SetInstallProgress(float aValue) {
    AnimateBar(this, kInstallChannel, fInstallBar, aValue);
}

void TProgressForm::SetDownloadRange(float aMin, float aMax) {
    fDownloadBar->setRange(static_cast<int>(std::lround(aMin * kScale)),
                           static_cast<int>(std::lround(aMax * kScale)));
}

void TProgressForm::SetInstallRange(float aMin, float aMax) {
    fInstallBar->setRange(static_cast<int>(std::lround(aMin * kScale)),
                          static_cast<int>(std::lround(aMax * kScale)));
}

float TProgressForm::InstallProgressMax() const {
    return static_cast<float>(fInstallBar->maximum()) / kScale;
}

void TProgressForm::SetRootWidth(double aWidth) {
    fRoot->resize(static_cast<int>(std::lround(aWidth)), kHeight);
}

void TProgressForm::SetShown(bool aValue) {
    if (aValue == fShown) {
        return;
    }
    fShown = aValue;
    auto& clock = TAnimationClock::Instance();
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(fRoot->graphicsEffect());
    if (!effect) {
        effect = new QGraphicsOpacityEffect(fRoot);
        fRoot->setGraphicsEffect(effect);
    }
    const auto opacity = [effect](double aValue) { effect->setOpacity(aValue); };
    const auto width = [this](double aValue) { SetRootWidth(aValue); };
    if (fShown) {
        SetRootWidth(0);
        show();
        effect->setOpacity(0);
        clock.Animate(this, kWidthChannel, 0, fContent->width(), 0.5, width);
        clock.Animate(this, kOpacityChannel, 0, 1, 0.5, opacity);
        return;
    }
    clock.Animate(this, kWidthChannel, fRoot->width(), 0, 0.5, width);
    clock.Animate(this, kOpacityChannel, effect->opacity(), 0, 0.5, opacity);
    // Shown again within the delay, the window stays.
    QTimer::singleShot(clock.Enabled() ? 550 : 0, this, [this] { setVisible(fShown); });
}

} // namespace brivane::ui
