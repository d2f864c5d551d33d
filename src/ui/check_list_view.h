#pragma once
// A list whose rows the user ticks with the pointer. A press and a release of the left
// or the right button at the same spot toggle the row there; moving with the right
// button alone held (no other button, no modifier key) toggles each row the pointer
// enters, once per visit, including the row where the drag began; the release after a
// drag toggles nothing, and a left-button drag changes nothing. Space toggles the
// current row.

#include <QListView>
#include <QPoint>

#include <functional>

namespace brivane::ui {

class TCheckListView : public QListView {
    Q_OBJECT

public:
    explicit TCheckListView(QWidget* aParent = nullptr);

    // Called for every toggle with the row.
    std::function<void(int aRow)> OnToggle;
    // Asked first about a click at aPos (in the viewport) on aRow; true when it was a
    // click on something inside the row (a button) that must not toggle it.
    std::function<bool(int aRow, QPoint aPos)> OnClickInside;

protected:
    void mousePressEvent(QMouseEvent* aEvent) override;
    void mouseMoveEvent(QMouseEvent* aEvent) override;
    void mouseReleaseEvent(QMouseEvent* aEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* aEvent) override;
    void keyPressEvent(QKeyEvent* aEvent) override;

private:
    void Toggle(int aRow);

    QPoint fMouseDownStart;
    int fLastVisited = -1;
};

} // namespace brivane::ui
