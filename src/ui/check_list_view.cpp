#include "ui/check_list_view.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace brivane::ui {

TCheckListView::TCheckListView(QWidget* aParent) : QListView(aParent) {
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void TCheckListView::Toggle(int aRow) {
    if (aRow >= 0 && OnToggle) {
        OnToggle(aRow);
    }
}

void TCheckListView::mousePressEvent(QMouseEvent* aEvent) {
    fMouseDownStart = aEvent->position().toPoint();
    fLastVisited = -1;
    if (const auto index = indexAt(fMouseDownStart); index.isValid()) {
        setCurrentIndex(index);
    }
    setFocus(Qt::MouseFocusReason);
    aEvent->accept();
}

void TCheckListView::mouseMoveEvent(QMouseEvent* aEvent) {
    if (aEvent->buttons() != Qt::RightButton || aEvent->modifiers() != Qt::NoModifier) {
        fLastVisited = -1;
        aEvent->accept();
        return;
    }
    const int row = indexAt(aEvent->position().toPoint()).row();
    if (row >= 0 && row != fLastVisited) {
        fLastVisited = row;
        Toggle(row);
    }
    aEvent->accept();
}

void TCheckListView::mouseReleaseEvent(QMouseEvent* aEvent) {
    aEvent->accept();
    const auto button = aEvent->button();
    const auto position = aEvent->position().toPoint();
    if ((button != Qt::LeftButton && button != Qt::RightButton) || position != fMouseDownStart) {
        return;
    }
    const int row = indexAt(position).row();
    if (row < 0) {
        return;
    }
    if (button == Qt::LeftButton && OnClickInside && OnClickInside(row, position)) {
        return;
    }
    Toggle(row);
}

void TCheckListView::mouseDoubleClickEvent(QMouseEvent* aEvent) {
    // The second press of a double click is a press like any other.
    mousePressEvent(aEvent);
}

void TCheckListView::keyPressEvent(QKeyEvent* aEvent) {
    if (aEvent->key() == Qt::Key_Space && aEvent->modifiers() == Qt::NoModifier) {
        Toggle(currentIndex().row());
        aEvent->accept();
        return;
    }
    QListView::keyPressEvent(aEvent);
}

} // namespace brivane::ui
