#include "window_fixture.h"

#include "app/localization.h"
#include "app/settings.h"
#include "ui/check_list_view.h"
#include "ui/qt_main_thread.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>

#include <cstdlib>

namespace brivane::test {

namespace {

struct TWorldEntry {
    const char* Name;
    const char* Page;
    TSoftwareCategory Category;
    const char* Installed; // empty: not installed
    const char* Available;
};

const TWorldEntry kWorld[] = {
    {"7-Zip", "7zip", scSystem, "16.02", "19.00"},
    {"Firefox", "firefox", scInternetNetwork, "60.0", "60.0"},
    {"VLC media player", "vlc", scMultimedia, "2.2.4", "3.0.8"},
    {"GIMP", "gimp", scGraphics, "2.10.8", "2.10.8"},
    {"Audacity", "audacity", scMultimedia, "", "2.3.0"},
    {"Skins for VLC", "vlcskins", scMultimedia, "", "1.2"},
    {"Inkscape", "inkscape", scGraphics, "", "0.92.4"},
    {"VLC Portable", "vlcportable", scMultimedia, "", "3.0.8"},
    {"Stellarium", "stellarium", scScienceEducation, "", "0.19.0"},
    {"Notepad++", "notepadpp", scDevelopment, "", "7.6.3"},
};

} // namespace

TLocalizedTest::TLocalizedTest() {
    InitLocalization(TConfig(fSettingsFolder.Path() / "Config.dat"));
    CurrentLanguage = lEnglish;
}

TWindowTest::TWindowTest() : TControllerTest(std::make_shared<ui::TQtMainThreadDispatcher>()) {
    fWindow = std::make_unique<ui::TMainForm>(&fTaskbar);
}

TWindowTest::~TWindowTest() {
    // The controller reports to the window until it is gone.
    if (fController) {
        fController->WaitUntilIdle();
        fController.reset();
    }
    fWindow.reset();
}

bool RunEventLoopUntil(const std::function<bool()>& aDone, int aLimitMilliseconds) {
    const QDeadlineTimer deadline(aLimitMilliseconds);
    while (!aDone()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

void TWindowTest::RunUntil(const std::function<bool()>& aDone) {
    ASSERT_TRUE(RunEventLoopUntil(aDone)) << "the window never got there";
}

void TWindowTest::MakeWorld() {
    for (const auto& entry : kWorld) {
        if (*entry.Installed) {
            SetInstalled(entry.Name, entry.Installed);
        }
        SetPage(entry.Page, entry.Available);
        WriteStaticCache(entry.Name);
        AddEntry(std::make_unique<TPageSoftware>(entry.Name, PageURL(entry.Page), slFreeware,
                                                 entry.Category));
    }
}

void TWindowTest::ShowWindow(TControllerOptions aOptions) {
    MakeController(std::move(aOptions));
    fWindow->show();
    RunUntil([this] { return fWindow->DisplayMode() == dmList && fController->Idle(); });
}

void TWindowTest::WaitRebuilt() {
    RunUntil([this] { return !fWindow->RefreshPending(); });
}

std::vector<std::string> TWindowTest::ShownNames(TListMode aList) const {
    return Names(fWindow->Shown(aList));
}

std::vector<std::string> TWindowTest::CheckedNames(TListMode aList) const {
    std::vector<std::string> names;
    for (const auto& row : fWindow->Model(aList)) {
        if (row.Checked) {
            names.push_back(row.Item.Name);
        }
    }
    return names;
}

QPoint TWindowTest::RowPoint(ui::TCheckListView* aView, int aRow, int aDy) const {
    const QRect rect = aView->visualRect(aView->model()->index(aRow, 0));
    // Left of the middle: the description button sits further right.
    return QPoint(rect.left() + rect.width() / 3, rect.center().y() + aDy);
}

void TWindowTest::SendMouse(QWidget* aWidget, QEvent::Type aType, QPoint aPoint,
                            Qt::MouseButton aButton, Qt::MouseButtons aButtons,
                            Qt::KeyboardModifiers aModifiers) {
    QMouseEvent event(aType, QPointF(aPoint), aWidget->mapToGlobal(QPointF(aPoint)), aButton,
                      aButtons, aModifiers);
    QCoreApplication::sendEvent(aWidget, &event);
}

void TWindowTest::Click(ui::TCheckListView* aView, int aRow, Qt::MouseButton aButton) {
    const QPoint point = RowPoint(aView, aRow);
    SendMouse(aView->viewport(), QEvent::MouseButtonPress, point, aButton, aButton);
    SendMouse(aView->viewport(), QEvent::MouseButtonRelease, point, aButton, Qt::NoButton);
}

void TWindowTest::Drag(ui::TCheckListView* aView, const std::vector<int>& aRows,
                       Qt::MouseButton aButton, Qt::KeyboardModifiers aModifiers) {
    auto* viewport = aView->viewport();
    SendMouse(viewport, QEvent::MouseButtonPress, RowPoint(aView, aRows.front()), aButton, aButton,
              aModifiers);
    QPoint last;
    for (const int row : aRows) {
        for (const int dy : {-3, 3}) {
            last = RowPoint(aView, row, dy);
            SendMouse(viewport, QEvent::MouseMove, last, Qt::NoButton, aButton, aModifiers);
        }
    }
    SendMouse(viewport, QEvent::MouseButtonRelease, last, aButton, Qt::NoButton, aModifiers);
}

void TWindowTest::TypeText(QWidget* aTarget, const QString& aText) {
    for (const QChar character : aText) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
        QCoreApplication::sendEvent(aTarget, &press);
    }
}

void ExpectLooksLikeReference(const QImage& aImage, const std::string& aName) {
    const QString name = QString::fromStdString(aName) + QStringLiteral(".png");
    QDir().mkpath(QStringLiteral(BRIVANE_SCREENSHOTS_DIR));
    const QString shot = QStringLiteral(BRIVANE_SCREENSHOTS_DIR) + QLatin1Char('/') + name;
    const QString reference = QStringLiteral(BRIVANE_REFERENCES_DIR) + QLatin1Char('/') + name;
    ASSERT_TRUE(aImage.save(shot, "PNG")) << shot.toStdString();
    if (std::getenv("BRIVANE_UPDATE_SCREENSHOTS")) {
        QDir().mkpath(QStringLiteral(BRIVANE_REFERENCES_DIR));
        ASSERT_TRUE(aImage.save(reference, "PNG")) << reference.toStdString();
        return;
    }
    const QImage expected(reference);
    ASSERT_FALSE(expected.isNull()) << "no reference " << reference.toStdString()
                                    << "; the window looked like " << shot.toStdString();
    const QImage actual = aImage.convertToFormat(QImage::Format_ARGB32);
    const QImage wanted = expected.convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(actual.size(), wanted.size()) << shot.toStdString();
    long different = 0;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = actual.pixel(x, y);
            const QRgb b = wanted.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) > 48 || std::abs(qGreen(a) - qGreen(b)) > 48 ||
                std::abs(qBlue(a) - qBlue(b)) > 48) {
                ++different;
            }
        }
    }
    const long limit = static_cast<long>(actual.width()) * actual.height() * 15 / 1000;
    EXPECT_LE(different, limit) << shot.toStdString() << " differs from "
                                << reference.toStdString();
}

} // namespace brivane::test
