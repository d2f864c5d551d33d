// Every screen of the window in both languages, compared with the stored references,
// so that a broken layout fails. The pictures the run saw stay in the build's
// screenshots/ folder.

#include "app/localization.h"
#include "ui/check_list_view.h"
#include "ui/program_list.h"
#include "ui/row_paint.h"
#include "window_fixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QPainter>
#include <QPushButton>

#include <gtest/gtest.h>

namespace brivane::test {
namespace {

class TScreenshotsTest : public TWindowTest, public ::testing::WithParamInterface<TLanguage> {
protected:
    void SetUp() override {
        fWindow->SetLanguage(GetParam());
        fSuffix = GetParam() == lRussian ? "_ru" : "_en";
    }

    void Expect(const std::string& aScreen) {
        // Whatever the views put off to their next idle moment happens first.
        QCoreApplication::processEvents();
        ExpectLooksLikeReference(fWindow->grab().toImage(), aScreen + fSuffix);
    }

    std::string fSuffix;
};

TEST_P(TScreenshotsTest, Splash) {
    fWindow->show(); // no controller: the splash stays
    fWindow->SetProgressText(Localize("gc.searchinstalled"));
    fWindow->SetProgress(40);
    Expect("splash");
}

TEST_P(TScreenshotsTest, ListsAndOverlays) {
    MakeWorld();
    ShowWindow();
    fWindow->SetLanguage(GetParam());
    Expect("updates");
    fWindow->Selector(lmActual)->click();
    Expect("actuals");
    fWindow->Selector(lmLibrary)->click();
    Click(fWindow->ListView(lmLibrary), 2, Qt::LeftButton);
    Expect("library");

    TypeText(fWindow->ListView(lmLibrary), QStringLiteral("vlc"));
    WaitRebuilt();
    Expect("filter");
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QCoreApplication::sendEvent(fWindow->ListView(lmLibrary), &backspace);
    RunUntil([this] { return !fWindow->FilterShown(); });

    fWindow->ShowCategories();
    Click(fWindow->CategoryView(), 1, Qt::LeftButton);
    WaitRebuilt();
    Expect("categories");
    fWindow->HideCategories();

    auto* view = fWindow->ListView(lmLibrary);
    const QPoint info =
        ui::TProgramRowDelegate::InfoButtonRect(view->visualRect(view->model()->index(1, 0)))
            .center();
    SendMouse(view->viewport(), QEvent::MouseButtonPress, info, Qt::LeftButton, Qt::LeftButton);
    SendMouse(view->viewport(), QEvent::MouseButtonRelease, info, Qt::LeftButton, Qt::NoButton);
    Expect("hint");
    fWindow->HideHint();

    // The menu is a window of its own: drawn where it opens over the window.
    fWindow->OpenConfigMenu();
    QImage image = fWindow->grab().toImage();
    {
        QPainter painter(&image);
        auto* menu = fWindow->ConfigMenu();
        const QPoint at = fWindow->mapFromGlobal(menu->pos());
        painter.drawPixmap(at, menu->grab());
    }
    fWindow->ConfigMenu()->hide();
    ExpectLooksLikeReference(image, "menu" + fSuffix);

    fWindow->SetOnCancel([] {});
    fWindow->SetDisplayMode(dmProgress);
    fWindow->SetProgressText(Localize("gc.downloaded") + " 60%");
    fWindow->SetProgress(60);
    Expect("progress");
    fWindow->SetOnCancel(nullptr);
    fWindow->SetDisplayMode(dmList);
}

TEST_P(TScreenshotsTest, DarkPalette) {
    // The window follows the system's palette; its rows keep their own colours.
    const QPalette light = QApplication::palette();
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2B, 0x2B, 0x2B));
    dark.setColor(QPalette::WindowText, QColor(0xE6, 0xE6, 0xE6));
    dark.setColor(QPalette::Base, QColor(0x23, 0x23, 0x23));
    dark.setColor(QPalette::Text, QColor(0xE6, 0xE6, 0xE6));
    dark.setColor(QPalette::Button, QColor(0x3A, 0x3A, 0x3A));
    dark.setColor(QPalette::ButtonText, QColor(0xE6, 0xE6, 0xE6));
    dark.setColor(QPalette::Highlight, QColor(0x3D, 0x8E, 0xDB));
    dark.setColor(QPalette::Link, QColor(0x6C, 0xB4, 0xF5));
    dark.setColor(QPalette::Mid, QColor(0x55, 0x55, 0x55));
    dark.setColor(QPalette::Midlight, QColor(0x44, 0x44, 0x44));
    QApplication::setPalette(dark);
    MakeWorld();
    ShowWindow();
    fWindow->SetLanguage(GetParam());
    Expect("dark");
    QApplication::setPalette(light);
}

TEST_P(TScreenshotsTest, ARowWhoseCheckFailedShowsItsWarningMark) {
    TProgramInfo info;
    info.Name = "Inkscape";
    info.CurrentVersion = "0.92.3";
    info.InformationRu = "Описание";
    auto texts = ui::ProgramRowTexts(info);
    texts.Problem = GetParam() == lRussian ? "Не удалось проверить: сайт не ответил"
                                           : "Could not check: the site did not answer";
    QImage image(700, ui::kProgramRowHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(fWindow->palette().color(QPalette::Window));
    {
        QPainter painter(&image);
        painter.setFont(fWindow->font());
        ui::PaintProgramRow(painter, image.rect(), texts, ui::ProgramIcon(info, 32), {});
    }
    ExpectLooksLikeReference(image, "row_problem" + fSuffix);
}

INSTANTIATE_TEST_SUITE_P(Languages, TScreenshotsTest, ::testing::Values(lEnglish, lRussian),
                         [](const auto& aInfo) {
                             return std::string(aInfo.param == lRussian ? "Russian" : "English");
                         });

} // namespace
} // namespace brivane::test
