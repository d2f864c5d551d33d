#include "app/localization.h"
#include "app/settings.h"
#include "ui/animation_clock.h"
#include "ui/check_list_view.h"
#include "ui/introduction.h"
#include "ui/program_list.h"
#include "window_fixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

namespace brivane::test {
namespace {

using TNames = std::vector<std::string>;

class TWindowListsTest : public TWindowTest {
protected:
    void SetUp() override {
        MakeWorld();
        ShowWindow();
    }
};

TEST_F(TWindowListsTest, TheControllerFillsTheThreeLists) {
    EXPECT_EQ(ShownNames(lmUpdates), (TNames{"7-Zip", "VLC media player"}));
    EXPECT_EQ(ShownNames(lmActual), (TNames{"Firefox", "GIMP"}));
    EXPECT_EQ(ShownNames(lmLibrary), (TNames{"Audacity", "Skins for VLC", "Inkscape",
                                             "VLC Portable", "Stellarium", "Notepad++"}));
    // New versions are ticked; the list with updates comes first.
    EXPECT_EQ(CheckedNames(lmUpdates), (TNames{"7-Zip", "VLC media player"}));
    EXPECT_EQ(fWindow->ListMode(), lmUpdates);
    EXPECT_EQ(fWindow->SelectorText(lmUpdates), "Updates (2)");
    EXPECT_EQ(fWindow->SelectorText(lmLibrary), "Library (6)");
    EXPECT_EQ(fWindow->SizeText(lmUpdates),
              "Size of selected updates: " +
                  TProgramInfo::FormatSize(2 * kInstallerSize, lEnglish));
    EXPECT_EQ(fWindow->SizeText(lmLibrary), "Programs not selected");
    // The library pass's results replaced the rows it had shown from the caches.
    for (const auto& row : fWindow->Shown(lmLibrary)) {
        EXPECT_EQ(row.Item.Size, kInstallerSize) << row.Item.Name;
    }
}

TEST_F(TWindowListsTest, ClicksAndRightDragsTickRows) {
    // A click is a press and a release on one row; a drag presses on the first row,
    // moves over every row given and releases on the last.
    struct Case {
        const char* what;
        bool drag;
        std::vector<int> rows;
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        TNames ticked;
    };
    const Case cases[] = {
        {"left click", false, {1}, Qt::LeftButton, Qt::NoModifier, {"Skins for VLC"}},
        {"right click", false, {2}, Qt::RightButton, Qt::NoModifier, {"Inkscape"}},
        {"right drag over five rows",
         true,
         {0, 1, 2, 3, 4},
         Qt::RightButton,
         Qt::NoModifier,
         {"Audacity", "Skins for VLC", "Inkscape", "VLC Portable", "Stellarium"}},
        {"right drag back over a visited row",
         true,
         {0, 1, 0},
         Qt::RightButton,
         Qt::NoModifier,
         {"Skins for VLC"}},
        {"right drag within one row",
         true,
         {3, 3},
         Qt::RightButton,
         Qt::NoModifier,
         {"VLC Portable"}},
        {"left drag", true, {0, 1, 2}, Qt::LeftButton, Qt::NoModifier, {}},
        {"right drag with Shift", true, {0, 1, 2}, Qt::RightButton, Qt::ShiftModifier, {}},
    };
    fWindow->SetListMode(lmLibrary);
    auto* view = fWindow->ListView(lmLibrary);
    for (const auto& c : cases) {
        fWindow->DeselectAll(lmLibrary);
        if (c.drag) {
            Drag(view, c.rows, c.button, c.modifiers);
        } else {
            Click(view, c.rows.front(), c.button);
        }
        EXPECT_EQ(CheckedNames(lmLibrary), c.ticked) << c.what;
        EXPECT_EQ(ShownNames(lmLibrary).size(), 6u) << c.what;
    }
    // The label follows the ticks.
    fWindow->DeselectAll(lmLibrary);
    Click(view, 0, Qt::LeftButton);
    EXPECT_EQ(fWindow->SizeText(lmLibrary),
              "Size of selected programs: " + TProgramInfo::FormatSize(kInstallerSize, lEnglish));
}

TEST_F(TWindowListsTest, SelectAllNoneAndInvertWorkOnTheShownRows) {
    fWindow->SelectAll(lmLibrary);
    EXPECT_EQ(CheckedNames(lmLibrary).size(), 6u);
    fWindow->DeselectAll(lmLibrary);
    EXPECT_TRUE(CheckedNames(lmLibrary).empty());
    Click(fWindow->ListView(lmLibrary), 0, Qt::LeftButton);
    fWindow->InvertSelection(lmLibrary);
    EXPECT_EQ(CheckedNames(lmLibrary),
              (TNames{"Skins for VLC", "Inkscape", "VLC Portable", "Stellarium", "Notepad++"}));
    // Ctrl+A on a list does not select all; sent to the window it does (current list).
    fWindow->DeselectAll(lmUpdates);
    QKeyEvent ctrlA(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"));
    QCoreApplication::sendEvent(fWindow->ListView(lmUpdates), &ctrlA);
    EXPECT_TRUE(CheckedNames(lmUpdates).empty());
    QCoreApplication::sendEvent(fWindow.get(), &ctrlA);
    EXPECT_EQ(CheckedNames(lmUpdates), (TNames{"7-Zip", "VLC media player"}));
    EXPECT_EQ(fWindow->Filter(), "");
}

TEST_F(TWindowListsTest, TypingFiltersByPrefixFirstAfterThePause) {
    auto* view = fWindow->ListView(lmUpdates);
    TypeText(view, QStringLiteral("vlc"));
    EXPECT_EQ(fWindow->Filter(), "vlc");
    EXPECT_TRUE(fWindow->FilterShown());
    // Nothing is rebuilt until the typing pauses.
    EXPECT_TRUE(fWindow->RefreshPending());
    EXPECT_EQ(ShownNames(lmLibrary).size(), 6u);
    WaitRebuilt();
    EXPECT_EQ(ShownNames(lmUpdates), TNames{"VLC media player"});
    EXPECT_TRUE(ShownNames(lmActual).empty());
    EXPECT_EQ(ShownNames(lmLibrary), (TNames{"VLC Portable", "Skins for VLC"}));
    EXPECT_EQ(fWindow->SelectorText(lmActual), "Actuals (0)");
    // A ticked update the filter hides is not installed.
    EXPECT_TRUE(fWindow->GetUpdateChecked(1));
    EXPECT_FALSE(fWindow->GetUpdateChecked(0));
    EXPECT_EQ(fWindow->SizeText(lmUpdates),
              "Size of selected updates: " + TProgramInfo::FormatSize(kInstallerSize, lEnglish));

    TypeText(view, QStringLiteral("q"));
    WaitRebuilt();
    EXPECT_TRUE(ShownNames(lmUpdates).empty());
    EXPECT_TRUE(ShownNames(lmLibrary).empty());
    EXPECT_EQ(fWindow->SizeText(lmUpdates), "Updates not selected");

    // Backspace clears the whole filter at once.
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &backspace);
    EXPECT_EQ(fWindow->Filter(), "");
    EXPECT_FALSE(fWindow->RefreshPending());
    EXPECT_EQ(ShownNames(lmLibrary).size(), 6u);
    EXPECT_EQ(ShownNames(lmUpdates).size(), 2u);
}

TEST_F(TWindowListsTest, CategoriesHideTheirRowsAfterThePause) {
    fWindow->ShowCategories();
    EXPECT_TRUE(fWindow->CategoriesShown());
    auto* categories = fWindow->CategoryView();
    // Every category is offered, science and education included.
    ASSERT_EQ(categories->model()->rowCount(), 8);
    const auto row = [categories](TSoftwareCategory aCategory) {
        for (int i = 0; i < categories->model()->rowCount(); ++i) {
            if (categories->model()->index(i, 0).data().toString().toStdString() ==
                CategoryToString(aCategory, lEnglish)) {
                return i;
            }
        }
        return -1;
    };
    Click(categories, row(scMultimedia), Qt::LeftButton);
    Click(categories, row(scScienceEducation), Qt::RightButton);
    EXPECT_FALSE(fWindow->SelectedCategories().Contains(scMultimedia));
    EXPECT_TRUE(fWindow->RefreshPending());
    WaitRebuilt();
    EXPECT_EQ(ShownNames(lmUpdates), TNames{"7-Zip"});
    EXPECT_EQ(ShownNames(lmLibrary), (TNames{"Inkscape", "Notepad++"}));
    // The hidden update's size leaves the label.
    EXPECT_EQ(fWindow->SizeText(lmUpdates),
              "Size of selected updates: " + TProgramInfo::FormatSize(kInstallerSize, lEnglish));
    fWindow->HideCategories();
    EXPECT_FALSE(fWindow->CategoriesShown());

    fWindow->ShowCategories();
    Click(categories, row(scScienceEducation), Qt::LeftButton);
    WaitRebuilt();
    EXPECT_EQ(ShownNames(lmLibrary), (TNames{"Inkscape", "Stellarium", "Notepad++"}));
}

TEST_F(TWindowListsTest, TheLanguageSwitchesLiveAndIsStored) {
    QAction* russian = nullptr;
    for (auto* action : fWindow->ConfigMenu()->actions()) {
        if (action->objectName() == QStringLiteral("miLanguageRussian")) {
            russian = action;
        }
    }
    ASSERT_NE(russian, nullptr);
    russian->trigger();
    EXPECT_EQ(CurrentLanguage.load(), lRussian);
    EXPECT_EQ(fWindow->Language(), lRussian);
    EXPECT_EQ(fWindow->SelectorText(lmUpdates), "Обновления (2)");
    EXPECT_EQ(fWindow->InstallButton(lmUpdates)->text().toStdString(), "Установить");
    EXPECT_EQ(fWindow->SizeText(lmLibrary), "Программы не выбраны");
    EXPECT_EQ(fConfig->GetInteger(kLanguage), static_cast<int>(lRussian));
    fWindow->SetLanguage(lEnglish);
    EXPECT_EQ(fWindow->SelectorText(lmUpdates), "Updates (2)");
    EXPECT_EQ(fConfig->GetInteger(kLanguage), static_cast<int>(lEnglish));
}

TEST_F(TWindowListsTest, SettingsItemsAreStoredWhenChosen) {
    QAction* shareware = nullptr;
    for (auto* action : fWindow->ConfigMenu()->actions()) {
        if (action->objectName() == QStringLiteral("miAllowShareware")) {
            shareware = action;
        }
    }
    ASSERT_NE(shareware, nullptr);
    EXPECT_FALSE(fWindow->AllowShareware());
    shareware->trigger();
    EXPECT_TRUE(fWindow->AllowShareware());
    EXPECT_TRUE(fConfig->GetBoolean(kAllowShareware));
    // The lists are rebuilt from the results already known.
    RunUntil([this] { return fWindow->DisplayMode() == dmList && fController->Idle(); });
    EXPECT_EQ(ShownNames(lmUpdates).size(), 2u);
}

TEST_F(TWindowListsTest, ASelectorComesFirstWhenClicked) {
    using TOrder = std::array<TListMode, 3>;
    EXPECT_EQ(fWindow->HeaderOrder(), (TOrder{lmUpdates, lmActual, lmLibrary}));
    fWindow->Selector(lmLibrary)->click();
    EXPECT_EQ(fWindow->ListMode(), lmLibrary);
    EXPECT_EQ(fWindow->HeaderOrder(), (TOrder{lmLibrary, lmUpdates, lmActual}));
    EXPECT_EQ(fWindow->Selector(lmLibrary)->x(),
              fWindow->CategoriesButton()->geometry().right() + 13);
    // The first selector's click changes nothing.
    fWindow->Selector(lmLibrary)->click();
    EXPECT_EQ(fWindow->HeaderOrder(), (TOrder{lmLibrary, lmUpdates, lmActual}));
    fWindow->Selector(lmActual)->click();
    EXPECT_EQ(fWindow->ListMode(), lmActual);
    EXPECT_EQ(fWindow->HeaderOrder(), (TOrder{lmActual, lmLibrary, lmUpdates}));
    // The controller's list change brings the header in line.
    fWindow->SetListMode(lmUpdates);
    RunUntil([this] { return fWindow->HeaderOrder()[0] == lmUpdates; });
    EXPECT_TRUE(fWindow->Selector(lmUpdates)->isChecked());
}

TEST_F(TWindowListsTest, TheDescriptionButtonShowsTheHintInTheInterfaceLanguage) {
    fWindow->SetListMode(lmLibrary);
    auto* view = fWindow->ListView(lmLibrary);
    const QRect rect = view->visualRect(view->model()->index(2, 0));
    const QPoint info = ui::TProgramRowDelegate::InfoButtonRect(rect).center();
    SendMouse(view->viewport(), QEvent::MouseButtonPress, info, Qt::LeftButton, Qt::LeftButton);
    SendMouse(view->viewport(), QEvent::MouseButtonRelease, info, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(fWindow->HintShown());
    EXPECT_TRUE(CheckedNames(lmLibrary).empty()); // the button does not tick
    EXPECT_EQ(fWindow->findChild<QLabel*>(QStringLiteral("lblHint"))->text().toStdString(),
              "About Inkscape");
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &escape);
    EXPECT_FALSE(fWindow->HintShown());
}

TEST_F(TWindowListsTest, WithAnimationsOffNoTimerRuns) {
    auto& clock = ui::TAnimationClock::Instance();
    ASSERT_FALSE(fWindow->EnableAnimations());
    Drag(fWindow->ListView(lmUpdates), {0, 1}, Qt::RightButton);
    fWindow->ShowCategories();
    fWindow->Selector(lmActual)->click();
    fWindow->SetProgress(50);
    EXPECT_FALSE(clock.TimerActive());
    EXPECT_EQ(clock.RunningCount(), 0);

    fWindow->SetEnableAnimations(true);
    fWindow->SetProgress(80);
    EXPECT_TRUE(clock.TimerActive());
    fWindow->SetEnableAnimations(false);
    EXPECT_FALSE(clock.TimerActive());
    EXPECT_FLOAT_EQ(fWindow->Progress(), 80);
}

TEST_F(TWindowListsTest, WithAnimationsOnEverythingSettlesWhereItBelongs) {
    auto& clock = ui::TAnimationClock::Instance();
    fWindow->SetEnableAnimations(true);
    fWindow->Selector(lmLibrary)->click();
    fWindow->Selector(lmActual)->click();
    EXPECT_TRUE(clock.TimerActive());
    auto* page = fWindow->ListView(lmActual)->parentWidget();
    RunUntil([&clock, page] { return page->isVisible() && !clock.TimerActive(); });
    EXPECT_FALSE(fWindow->ListView(lmLibrary)->parentWidget()->isVisible());
    using TOrder = std::array<TListMode, 3>;
    const auto order = fWindow->HeaderOrder();
    EXPECT_EQ(order, (TOrder{lmActual, lmLibrary, lmUpdates}));
    // The selectors stand in that order, side by side, and take clicks again.
    EXPECT_LT(fWindow->Selector(order[0])->x(), fWindow->Selector(order[1])->x());
    EXPECT_LT(fWindow->Selector(order[1])->x(), fWindow->Selector(order[2])->x());
    EXPECT_FALSE(fWindow->Selector(lmUpdates)->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(page->graphicsEffect(), nullptr); // fully opaque
    EXPECT_EQ(page->x(), 0);

    fWindow->SetDisplayMode(dmProgress);
    fWindow->SetDisplayMode(dmList);
    RunUntil([&clock, page] { return page->isVisible() && !clock.TimerActive(); });
    EXPECT_FALSE(fWindow->findChild<QWidget*>(QStringLiteral("ProgressLayout"))->isVisible());
    fWindow->SetEnableAnimations(false);
}

TEST_F(TWindowListsTest, TheKeyboardMovesTicksAndInstalls) {
    int installs = 0;
    fWindow->SetOnInstallUpdates([&installs] { ++installs; });
    auto* view = fWindow->ListView(lmUpdates);
    view->setCurrentIndex(view->model()->index(0, 0));
    const auto press = [view](int aKey, const QString& aText = {}) {
        QKeyEvent event(QEvent::KeyPress, aKey, Qt::NoModifier, aText);
        QCoreApplication::sendEvent(view, &event);
    };
    press(Qt::Key_Down);
    EXPECT_EQ(view->currentIndex().row(), 1);
    press(Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(CheckedNames(lmUpdates), TNames{"7-Zip"});
    EXPECT_EQ(fWindow->Filter(), ""); // a space starts no filter
    press(Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(installs, 1);
    // Every control can be named by a screen reader.
    for (auto* button : fWindow->findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->text().isEmpty() && button->accessibleName().isEmpty())
            << button->objectName().toStdString();
    }
}

TEST_F(TWindowListsTest, TheIntroductionShowsTheWindowsFramesAsASlideshow) {
    // The first run found no introduction beside the test program and showed nothing.
    EXPECT_FALSE(fWindow->HelpShown());
    TTempDir help;
    std::filesystem::create_directories(help.Path() / "en");
    QImage frame(40, 30, QImage::Format_RGB32);
    for (const char* name : {"1-first.png", "2-second.png"}) {
        frame.fill(Qt::blue);
        ASSERT_TRUE(frame.save(QString::fromStdString((help.Path() / "en" / name).string())));
    }
    fWindow->SetHelpFolder(help.Path() / "missing");
    fWindow->PlayHelp();
    EXPECT_FALSE(fWindow->HelpShown());

    fWindow->SetHelpFolder(help.Path());
    fWindow->PlayHelp();
    EXPECT_TRUE(fWindow->HelpShown());
    RunUntil([this] { return fWindow->Introduction()->Slideshow(); });
    EXPECT_EQ(fWindow->Introduction()->Frame(), 0);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(fWindow->ListView(lmUpdates), &escape);
    EXPECT_FALSE(fWindow->HelpShown());
    EXPECT_FALSE(fWindow->Introduction()->Slideshow());
}

TEST_F(TWindowListsTest, ProgressReachesTheTaskbarRoundedHalfToEven) {
    fTaskbar.Positions.clear();
    fWindow->SetProgress(37.5f);
    fWindow->SetProgress(36.5f);
    fWindow->SetProgress(0);
    EXPECT_EQ(fTaskbar.Positions, (std::vector<int>{38, 36, 0}));
    EXPECT_FLOAT_EQ(fWindow->Progress(), 0);
    fWindow->SetProgressState(psError);
    EXPECT_EQ(fTaskbar.States.back(), psError);
}

} // namespace
} // namespace brivane::test
