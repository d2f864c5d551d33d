#pragma once
// How the rows of the lists look: the program row (icon, name, version line, size,
// date, description button, check mark, warning mark) and the category row (name,
// count, check mark). The colours of the frames and marks are the product's own; the
// texts follow the window's font.

#include "ui/list_texts.h"

#include <QPainter>
#include <QPixmap>
#include <QRect>

namespace brivane::ui {

// Where the parts of a program row go.
struct TProgramRowGeometry {
    QRect Frame;
    QRect IconBack;
    QRect Icon;
    QRect Name;
    QRect Description;
    QRect Size;
    QRect Date;
    QRect Info;
    QRect Check;
};
TProgramRowGeometry ProgramRowGeometry(const QRect& aRow);

struct TProgramRowLook {
    double Check = 0;   // 0 unticked, 1 ticked; between while the mark animates
    double Opacity = 1; // while the row fades in
    bool Focused = false;
};
void PaintProgramRow(QPainter& aPainter, const QRect& aRow, const TProgramRowTexts& aTexts,
                     const QPixmap& aIcon, const TProgramRowLook& aLook);

void PaintCategoryRow(QPainter& aPainter, const QRect& aRow, const QString& aName, unsigned aCount,
                      double aCheck, bool aFocused);

} // namespace brivane::ui
