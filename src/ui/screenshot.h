#pragma once
// brivane --screenshot FILE: once the update pass has shown the lists and the window
// has settled, the window is saved as a PNG and the program quits with 0; when the
// lists do not come in time, or the file cannot be written, it quits with 1.

#include <QObject>
#include <QString>
#include <QTimer>

namespace brivane::ui {

class TMainForm;

class TScreenshotOnLists : public QObject {
    Q_OBJECT

public:
    TScreenshotOnLists(TMainForm& aWindow, QString aFile, int aLimitMilliseconds);

    bool Saved() const { return fSaved; }

private:
    void SaveWhenSettled();

    TMainForm& fWindow;
    QString fFile;
    QTimer fSettle;
    QTimer fLimit;
    bool fSaved = false;
};

// Saves the window as it is now; false when the file could not be written.
bool SaveWindowImage(QWidget& aWindow, const QString& aFile);

} // namespace brivane::ui
