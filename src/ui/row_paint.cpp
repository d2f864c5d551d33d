#include "ui/row_paint.h"

#include <QPainterPath>

namespace brivane::ui {

namespace {

const QColor kFrame(0x7D, 0x7D, 0x7D);
const QColor kFrameChecked(0xB9, 0xB8, 0xB8);
const QColor kText(Qt::white);
const QColor kSubText(0xEE, 0xEE, 0xEE);
const QColor kWarning(0xF0, 0xA0, 0x20);

QColor Blend(const QColor& aFrom, const QColor& aTo, double aT) {
    const auto mix = [aT](int aA, int aB) { return static_cast<int>(aA + (aB - aA) * aT + 0.5); };
    return QColor(mix(aFrom.red(), aTo.red()), mix(aFrom.green(), aTo.green()),
                  mix(aFrom.blue(), aTo.blue()));
}

QString Text(const std::string& aText) {
    return QString::fromStdString(aText);
}

QFont Font(const QFont& aBase, double aScale, bool aBold) {
    QFont font = aBase;
    font.setPointSizeF(font.pointSizeF() * aScale);
    font.setBold(aBold);
    return font;
}

void DrawElided(QPainter& aPainter, const QRect& aRect, const QString& aText, int aAlign) {
    const auto elided = aPainter.fontMetrics().elidedText(aText, Qt::ElideRight, aRect.width());
    aPainter.drawText(aRect, static_cast<int>(aAlign | Qt::AlignVCenter), elided);
}

// A round mark: filled white at the tick's opacity with a tick inside.
void DrawCheckMark(QPainter& aPainter, const QRect& aRect, double aCheck) {
    aPainter.save();
    aPainter.setPen(QPen(QColor(255, 255, 255, 150), 1.5));
    aPainter.setBrush(Qt::NoBrush);
    aPainter.drawEllipse(QRectF(aRect).adjusted(1, 1, -1, -1));
    if (aCheck > 0) {
        aPainter.setOpacity(aPainter.opacity() * 0.8 * aCheck);
        aPainter.setBrush(Qt::white);
        aPainter.setPen(Qt::NoPen);
        aPainter.drawEllipse(QRectF(aRect).adjusted(1, 1, -1, -1));
        QPainterPath tick;
        const QRectF r(aRect);
        tick.moveTo(r.left() + r.width() * 0.27, r.top() + r.height() * 0.52);
        tick.lineTo(r.left() + r.width() * 0.44, r.top() + r.height() * 0.69);
        tick.lineTo(r.left() + r.width() * 0.74, r.top() + r.height() * 0.34);
        aPainter.setPen(
            QPen(QColor(0x4A, 0x8A, 0x3A), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        aPainter.setBrush(Qt::NoBrush);
        aPainter.drawPath(tick);
    }
    aPainter.restore();
}

void DrawFrame(QPainter& aPainter, const QRect& aFrame, double aCheck, bool aFocused) {
    aPainter.setPen(QPen(Blend(kFrame, kFrameChecked, aCheck), 2));
    aPainter.setBrush(kFrame);
    aPainter.drawRoundedRect(QRectF(aFrame).adjusted(1, 1, -1, -1), 6, 6);
    if (aFocused) {
        aPainter.setPen(QPen(QColor(255, 255, 255, 110), 1, Qt::DotLine));
        aPainter.setBrush(Qt::NoBrush);
        aPainter.drawRoundedRect(QRectF(aFrame).adjusted(3, 3, -3, -3), 5, 5);
    }
}

void DrawWarningMark(QPainter& aPainter, const QRect& aRect) {
    QPainterPath triangle;
    const QRectF r(aRect);
    triangle.moveTo(r.center().x(), r.top());
    triangle.lineTo(r.right(), r.bottom());
    triangle.lineTo(r.left(), r.bottom());
    triangle.closeSubpath();
    aPainter.setPen(QPen(QColor(0x60, 0x40, 0x00), 1));
    aPainter.setBrush(kWarning);
    aPainter.drawPath(triangle);
    QFont font = aPainter.font();
    font.setBold(true);
    font.setPixelSize(aRect.height() * 3 / 4);
    aPainter.setFont(font);
    aPainter.setPen(Qt::black);
    aPainter.drawText(aRect.adjusted(0, 2, 0, 0), Qt::AlignCenter, QStringLiteral("!"));
}

} // namespace

TProgramRowGeometry ProgramRowGeometry(const QRect& aRow) {
    TProgramRowGeometry g;
    g.Frame = aRow.adjusted(6, 2, -6, -2);
    const int middle = g.Frame.center().y();
    g.IconBack = QRect(g.Frame.left() + 5, middle - 19, 38, 38);
    g.Icon = g.IconBack.adjusted(3, 3, -3, -3);
    g.Check = QRect(g.Frame.right() - 10 - 22, middle - 11, 22, 22);
    const int rightColumn = g.Check.left() - 12 - 130;
    g.Size = QRect(rightColumn, g.Frame.top() + 4, 130, 20);
    g.Date = QRect(rightColumn, g.Frame.top() + 23, 130, 18);
    g.Info = QRect(rightColumn - 8 - 20, middle - 10, 20, 20);
    const int textLeft = g.IconBack.right() + 10;
    g.Name = QRect(textLeft, g.Frame.top() + 4, g.Info.left() - 8 - textLeft, 20);
    g.Description = QRect(textLeft, g.Frame.top() + 23, g.Info.left() - 8 - textLeft, 18);
    return g;
}

void PaintProgramRow(QPainter& aPainter, const QRect& aRow, const TProgramRowTexts& aTexts,
                     const QPixmap& aIcon, const TProgramRowLook& aLook) {
    const auto g = ProgramRowGeometry(aRow);
    aPainter.save();
    const QFont base = aPainter.font();
    aPainter.setRenderHint(QPainter::Antialiasing);
    aPainter.setOpacity(aLook.Opacity);
    DrawFrame(aPainter, g.Frame, aLook.Check, aLook.Focused);

    aPainter.setPen(Qt::NoPen);
    aPainter.setBrush(Blend(kFrame, kFrameChecked, aLook.Check).lighter(112));
    aPainter.drawRoundedRect(QRectF(g.IconBack), 6, 6);
    aPainter.setRenderHint(QPainter::SmoothPixmapTransform);
    aPainter.drawPixmap(g.Icon, aIcon);
    if (!aTexts.Problem.empty()) {
        DrawWarningMark(aPainter, QRect(g.IconBack.right() - 13, g.IconBack.bottom() - 12, 16, 14));
    }

    aPainter.setPen(kText);
    aPainter.setFont(Font(base, 1.1, true));
    DrawElided(aPainter, g.Name, Text(aTexts.Name), Qt::AlignLeft);
    aPainter.setFont(Font(base, 0.85, false));
    aPainter.setPen(kSubText);
    DrawElided(aPainter, g.Description,
               aTexts.Problem.empty() ? Text(aTexts.Description) : Text(aTexts.Problem),
               Qt::AlignLeft);
    DrawElided(aPainter, g.Date, Text(aTexts.Date), Qt::AlignRight);
    aPainter.setPen(kText);
    aPainter.setFont(Font(base, 1.0, true));
    DrawElided(aPainter, g.Size, Text(aTexts.Size), Qt::AlignRight);

    if (aTexts.HasDescription || !aTexts.Problem.empty()) {
        aPainter.setPen(QPen(QColor(255, 255, 255, 200), 1.5));
        aPainter.setBrush(Qt::NoBrush);
        aPainter.drawEllipse(QRectF(g.Info).adjusted(1, 1, -1, -1));
        QFont font = aPainter.font();
        font.setBold(true);
        font.setItalic(true);
        font.setPixelSize(13);
        aPainter.setFont(font);
        aPainter.drawText(g.Info, Qt::AlignCenter, QStringLiteral("i"));
    }
    DrawCheckMark(aPainter, g.Check, aLook.Check);
    aPainter.restore();
}

void PaintCategoryRow(QPainter& aPainter, const QRect& aRow, const QString& aName, unsigned aCount,
                      double aCheck, bool aFocused) {
    aPainter.save();
    const QFont base = aPainter.font();
    aPainter.setRenderHint(QPainter::Antialiasing);
    const QRect frame = aRow.adjusted(4, 1, -4, -1);
    DrawFrame(aPainter, frame, aCheck, aFocused);
    const QRect check(frame.right() - 8 - 18, frame.center().y() - 9, 18, 18);
    aPainter.setPen(kText);
    aPainter.setFont(Font(base, 1.0, true));
    DrawElided(aPainter, QRect(frame.left() + 12, frame.top(), frame.width() - 120, frame.height()),
               aName, Qt::AlignLeft);
    aPainter.setFont(Font(base, 1.0, false));
    aPainter.drawText(QRect(check.left() - 60, frame.top(), 50, frame.height()),
                      Qt::AlignRight | Qt::AlignVCenter, QString::number(aCount));
    DrawCheckMark(aPainter, check, aCheck);
    aPainter.restore();
}

} // namespace brivane::ui
