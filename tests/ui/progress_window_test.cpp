#include "app/localization.h"
#include "app/settings.h"
#include "support/temp_dir.h"
#include "ui/animation_clock.h"
#include "ui/main_window.h"
#include "ui/progress_window.h"
#include "window_fixture.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace brivane::test {
namespace {

class TProgressFormTest : public TLocalizedTest {
protected:
    void TearDown() override { fClock.SetEnabled(false); }

    ui::TAnimationClock& fClock = ui::TAnimationClock::Instance();
    ui::TProgressForm fForm;
};

TEST_F(TProgressFormTest, BarsAnimateToAValueAndResetToZeroAtOnce) {
    fClock.SetEnabled(true);
    fForm.SetDownloadProgress(50);
    EXPECT_LT(fForm.DownloadProgress(), 50);
    ASSERT_TRUE(RunEventLoopUntil([this] { return !fClock.TimerActive(); }));
    EXPECT_FLOAT_EQ(fForm.DownloadProgress(), 50);
    fForm.SetDownloadProgress(0);
    EXPECT_FLOAT_EQ(fForm.DownloadProgress(), 0);
    EXPECT_FALSE(fClock.TimerActive());

    fForm.SetInstallRange(0, 3);
    fForm.SetInstallProgress(2);
    fClock.FinishAll();
    EXPECT_FLOAT_EQ(fForm.InstallProgress(), 2);
    EXPECT_FLOAT_EQ(fForm.InstallProgressMax(), 3);
}

TEST_F(TProgressFormTest, ShowingTwiceUnrollsOnce) {
    fClock.SetEnabled(true);
    fForm.SetShown(true);
    EXPECT_TRUE(fForm.isVisible());
    fClock.FinishAll();
    const QWidget* root = fForm.findChild<QWidget*>(QStringLiteral("Root"));
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->width(), ui::TProgressForm::kWidth);
    fForm.SetShown(true);
    EXPECT_EQ(root->width(), ui::TProgressForm::kWidth);
    EXPECT_FALSE(fClock.TimerActive());
}

TEST_F(TProgressFormTest, HiddenAndShownAgainBeforeTheDelayTheWindowStays) {
    fForm.SetShown(true);
    fForm.SetShown(false);
    fForm.SetShown(true);
    QCoreApplication::processEvents();
    EXPECT_TRUE(fForm.isVisible());
    fForm.SetShown(false);
    ASSERT_TRUE(RunEventLoopUntil([this] { return !fForm.isVisible(); }));
    EXPECT_FALSE(fForm.Shown());
}

TEST_F(TProgressFormTest, CancelRaisesItsEvent) {
    int cancels = 0;
    fForm.SetOnCancel([&] { ++cancels; });
    fForm.CancelButton()->click();
    fForm.SetOnCancel(nullptr);
    fForm.CancelButton()->click();
    EXPECT_EQ(cancels, 1);
}

TEST_F(TProgressFormTest, TheMainWindowGivesItsTitleInTheInterfaceLanguage) {
    ui::TMainForm window;
    window.SetProgressForm(&fForm);
    EXPECT_EQ(fForm.Title(), "Brivane - installing");
    window.SetLanguage(lRussian);
    EXPECT_EQ(fForm.Title(), "Brivane - установка");
    EXPECT_EQ(fForm.CancelButton()->text().toStdString(), "Отмена");

    for (const auto language : {lEnglish, lRussian}) {
        window.SetLanguage(language);
        fForm.SetShown(true);
        fForm.SetDownloadText(Localize("gc.downloaded") + " 45%");
        fForm.SetDownloadProgress(45);
        fForm.SetInstallRange(0, 4);
        fForm.SetInstallText(Localize("gc.installprogress") + " 1 " + Localize("gc.from") + " 4");
        fForm.SetInstallProgress(1);
        ExpectLooksLikeReference(fForm.grab().toImage(), language == lRussian
                                                             ? "progress_window_ru"
                                                             : "progress_window_en");
    }
}

TEST_F(TProgressFormTest, ClosingTheWindowWhileInstallingAsksThenCancelsAndCloses) {
    ui::TMainForm window;
    int asked = 0;
    bool answer = false;
    window.SetCloseQuestion([&] {
        ++asked;
        return answer;
    });
    int cancels = 0;
    // As the controller does: the lists come back once the run has stopped.
    window.SetOnCancel([&] {
        ++cancels;
        QTimer::singleShot(0, &window, [&window] {
            window.SetOnCancel(nullptr);
            window.SetDisplayMode(dmList);
        });
    });
    window.show();
    window.SetDisplayMode(dmProgress);
    ASSERT_TRUE(window.InstallRunning());

    window.close(); // "no": the run goes on
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(cancels, 0);

    answer = true;
    window.close();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(cancels, 1);
    ASSERT_TRUE(RunEventLoopUntil([&window] { return !window.isVisible(); }));

    // Nothing running: the window closes without a question.
    window.show();
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(asked, 2);
}

} // namespace
} // namespace brivane::test
