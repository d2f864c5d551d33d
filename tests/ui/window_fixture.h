#pragma once
// The window under test: the real controller against the loopback server and a test
// registry (controller_fixture.h), with the window as its view and Qt's event loop as
// the main thread's. The standard world has two updates, two current programs and six
// library programs in several categories.

#include "support/controller_fixture.h"
#include "ui/main_window.h"
#include "ui/taskbar_progress.h"

#include <QImage>
#include <QMouseEvent>

#include <memory>
#include <string>
#include <vector>

namespace brivane::test {

// Records what the window gives the taskbar.
class TFakeTaskbar final : public ui::ITaskbarProgress {
public:
    void SetProgressState(TProgressState aValue) override { States.push_back(aValue); }
    void SetProgressPosition(int aPercent) override { Positions.push_back(aPercent); }

    std::vector<TProgressState> States;
    std::vector<int> Positions;
};

// The built-in texts loaded from a settings file of the test's own, English in use.
class TLocalizedTest : public ::testing::Test {
protected:
    TLocalizedTest();

    TTempDir fSettingsFolder;
};

class TWindowTest : public TControllerTest {
protected:
    TWindowTest();
    ~TWindowTest() override;

    void RunUntil(const std::function<bool()>& aDone) override;

    // Registers the standard world's entries.
    void MakeWorld();
    // Shows the window, whose first showing starts the controller, and waits until the
    // lists are shown and the library pass has ended.
    void ShowWindow(TControllerOptions aOptions = {});
    // Waits until the rebuild that typing or a category toggle asked for has run.
    void WaitRebuilt();

    std::vector<std::string> ShownNames(TListMode aList) const;
    std::vector<std::string> CheckedNames(TListMode aList) const;

    // Pointer events on a list, at the middle of a row.
    QPoint RowPoint(ui::TCheckListView* aView, int aRow, int aDy = 0) const;
    static void SendMouse(QWidget* aWidget, QEvent::Type aType, QPoint aPoint,
                          Qt::MouseButton aButton, Qt::MouseButtons aButtons,
                          Qt::KeyboardModifiers aModifiers = Qt::NoModifier);
    void Click(ui::TCheckListView* aView, int aRow, Qt::MouseButton aButton);
    // Presses on the first row, moves over every row given (twice within each), and
    // releases on the last.
    void Drag(ui::TCheckListView* aView, const std::vector<int>& aRows, Qt::MouseButton aButton,
              Qt::KeyboardModifiers aModifiers = Qt::NoModifier);
    void TypeText(QWidget* aTarget, const QString& aText);

    TFakeTaskbar fTaskbar;
    std::unique_ptr<ui::TMainForm> fWindow;
};

// Runs Qt's event loop until aDone holds, asking it at least every 5 ms; false when it
// did not come within aLimitMilliseconds (a failing test ends, not hangs).
bool RunEventLoopUntil(const std::function<bool()>& aDone, int aLimitMilliseconds = 60000);

// Saves aImage as screenshots/<aName>.png in the build and compares it with the
// reference of that name: at most 1.5 % of the pixels may differ by more than 48 in a
// colour channel, and the sizes must agree. With BRIVANE_UPDATE_SCREENSHOTS set, the
// image becomes the new reference.
void ExpectLooksLikeReference(const QImage& aImage, const std::string& aName);

} // namespace brivane::test
