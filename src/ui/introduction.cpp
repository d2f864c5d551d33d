#include "ui/introduction.h"

#include "ui/widgets.h"

#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#ifdef BRIVANE_HAVE_MULTIMEDIA
#include <QElapsedTimer>
#include <QMediaPlayer>
#include <QUrl>
#include <QVideoWidget>
#endif

namespace brivane::ui {

namespace {

constexpr int kSlideMilliseconds = 2500;

QStringList FramesOf(const std::filesystem::path& aHelpFolder, TLanguage aLanguage) {
    const QDir folder(
        QString::fromStdString((aHelpFolder / (aLanguage == lRussian ? "ru" : "en")).string()));
    QStringList frames;
    for (const auto& name : folder.entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name)) {
        frames << folder.filePath(name);
    }
    return frames;
}

std::filesystem::path FilmOf(const std::filesystem::path& aHelpFolder, TLanguage aLanguage) {
    return aHelpFolder / (aLanguage == lRussian ? "ru" : "en") / "Help.webm";
}

} // namespace

#ifdef BRIVANE_HAVE_MULTIMEDIA
struct TIntroduction::TFilm {
    QMediaPlayer Player;
    QVideoWidget* Screen = nullptr;
    QElapsedTimer Started;
};
#else
struct TIntroduction::TFilm {};
#endif

void ChooseMediaBackend() {
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) {
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    }
}

TIntroduction::TIntroduction(QWidget* aParent) : QFrame(aParent) {
    setObjectName(QStringLiteral("Video"));
    setProperty("overlay", true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 10, 14, 10);
    fCaption = MakeCaption(this, "lblVideoCaption");
    fSurface = new QStackedWidget(this);
    fSurface->setObjectName(QStringLiteral("MediaPlayerScreen"));
    fSlide = new QLabel(fSurface);
    fSlide->setAlignment(Qt::AlignCenter);
    fSurface->addWidget(fSlide);
    fOK = MakeLink(this, "btVideoOK");
    fOK->setText(QStringLiteral("OK"));
    layout->addWidget(fCaption);
    layout->addWidget(fSurface, 1);
    layout->addWidget(fOK, 0, Qt::AlignRight);
    fSlideTimer.setInterval(kSlideMilliseconds);
    connect(&fSlideTimer, &QTimer::timeout, this, [this] { ShowFrame(fFrame + 1); });
}

TIntroduction::~TIntroduction() {
    delete fFilm;
}

void TIntroduction::SetCaption(const QString& aText) {
    fCaption->setText(aText);
}

bool TIntroduction::Available(const std::filesystem::path& aHelpFolder, TLanguage aLanguage) {
    std::error_code error;
    return !FramesOf(aHelpFolder, aLanguage).isEmpty() ||
           std::filesystem::is_regular_file(FilmOf(aHelpFolder, aLanguage), error);
}

bool TIntroduction::Play(const std::filesystem::path& aHelpFolder, TLanguage aLanguage) {
    Stop();
    fFrames = FramesOf(aHelpFolder, aLanguage);
    if (StartFilm(FilmOf(aHelpFolder, aLanguage))) {
        return true;
    }
    if (fFrames.isEmpty()) {
        return false;
    }
    StartSlideshow();
    return true;
}

bool TIntroduction::StartFilm([[maybe_unused]] const std::filesystem::path& aFile) {
#ifdef BRIVANE_HAVE_MULTIMEDIA
    std::error_code error;
    if (!std::filesystem::is_regular_file(aFile, error)) {
        return false;
    }
    // The player comes with the first film only: a media backend is only asked for
    // when there is something to play (some fail as soon as they are loaded).
    if (!fFilm) {
        fFilm = new TFilm;
        fFilm->Screen = new QVideoWidget(fSurface);
        fSurface->addWidget(fFilm->Screen);
        fFilm->Player.setVideoOutput(fFilm->Screen);
        // A film that cannot play gives way to its frames.
        connect(&fFilm->Player, &QMediaPlayer::errorOccurred, this, [this] { StartSlideshow(); });
        // A damaged film may not fail: it is found invalid, or ends long before the
        // length its header promised.
        connect(&fFilm->Player, &QMediaPlayer::mediaStatusChanged, this,
                [this](QMediaPlayer::MediaStatus aStatus) {
                    if (aStatus == QMediaPlayer::InvalidMedia ||
                        (aStatus == QMediaPlayer::EndOfMedia &&
                         fFilm->Started.elapsed() < fFilm->Player.duration() / 2)) {
                        StartSlideshow();
                    }
                });
    }
    fSurface->setCurrentWidget(fFilm->Screen);
    fFilm->Player.setSource(QUrl::fromLocalFile(QString::fromStdString(aFile.string())));
    fFilm->Player.setPosition(0);
    fFilm->Started.start();
    fFilm->Player.play();
    return true;
#else
    return false;
#endif
}

bool TIntroduction::FilmPlaying() const {
#ifdef BRIVANE_HAVE_MULTIMEDIA
    return fFilm && !fSlideTimer.isActive() &&
           fFilm->Player.playbackState() == QMediaPlayer::PlayingState &&
           fFilm->Player.mediaStatus() >= QMediaPlayer::LoadedMedia &&
           fFilm->Player.mediaStatus() <= QMediaPlayer::BufferedMedia;
#else
    return false;
#endif
}

void TIntroduction::StartSlideshow() {
#ifdef BRIVANE_HAVE_MULTIMEDIA
    if (fFilm) {
        fFilm->Player.stop();
    }
#endif
    if (fFrames.isEmpty()) {
        return;
    }
    fSurface->setCurrentWidget(fSlide);
    ShowFrame(0);
    fSlideTimer.start();
}

void TIntroduction::ShowFrame(int aIndex) {
    if (fFrames.isEmpty()) {
        return;
    }
    fFrame = aIndex % static_cast<int>(fFrames.size());
    const QPixmap frame(fFrames[fFrame]);
    fSlide->setPixmap(frame.scaled(fSlide->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TIntroduction::Stop() {
    fSlideTimer.stop();
#ifdef BRIVANE_HAVE_MULTIMEDIA
    if (fFilm) {
        fFilm->Player.stop();
    }
#endif
}

void TIntroduction::resizeEvent(QResizeEvent* aEvent) {
    QFrame::resizeEvent(aEvent);
    if (fSlideTimer.isActive()) {
        ShowFrame(fFrame);
    }
}

} // namespace brivane::ui
