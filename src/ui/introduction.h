#pragma once
// The introduction panel ("User guide"): a short film of the window's own screens.
// Help/<language>/Help.webm beside the program plays through Qt Multimedia where a media
// backend works; otherwise, or when the film fails, the panel shows its frames,
// Help/<language>/*.png in name order, as a slideshow. Without either there is nothing
// to show.

#include "base/language.h"

#include <QFrame>
#include <QStringList>
#include <QTimer>

#include <filesystem>

class QLabel;
class QPushButton;
class QStackedWidget;

namespace brivane::ui {

// Picks Qt's FFmpeg media backend unless QT_MEDIA_BACKEND names one: the GStreamer
// backend crashes where GStreamer's base plugins are missing, and the FFmpeg one comes in
// the same package. Call before the application object is made.
void ChooseMediaBackend();

class TIntroduction : public QFrame {
    Q_OBJECT

public:
    explicit TIntroduction(QWidget* aParent = nullptr);
    ~TIntroduction() override;

    // Whether the folder holds a film or frames for the language.
    static bool Available(const std::filesystem::path& aHelpFolder, TLanguage aLanguage);
    // Starts the film, or the slideshow of the language's frames; false when there is
    // neither.
    bool Play(const std::filesystem::path& aHelpFolder, TLanguage aLanguage);
    void Stop();
    bool Slideshow() const { return fSlideTimer.isActive(); }
    // The film is playing (not its frames).
    bool FilmPlaying() const;
    int Frame() const { return fFrame; }

    QPushButton* OKButton() const { return fOK; }
    void SetCaption(const QString& aText);

protected:
    void resizeEvent(QResizeEvent* aEvent) override;

private:
    void StartSlideshow();
    void ShowFrame(int aIndex);
    bool StartFilm(const std::filesystem::path& aFile);

    QLabel* fCaption = nullptr;
    QStackedWidget* fSurface = nullptr;
    QLabel* fSlide = nullptr;
    QPushButton* fOK = nullptr;
    QStringList fFrames;
    int fFrame = 0;
    QTimer fSlideTimer;
    struct TFilm;
    TFilm* fFilm = nullptr; // the player, made for the first film
};

} // namespace brivane::ui
