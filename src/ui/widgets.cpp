#include "ui/widgets.h"

namespace brivane::ui {

QPushButton* MakeLink(QWidget* aParent, const char* aObjectName) {
    auto* link = new QPushButton(aParent);
    link->setObjectName(QString::fromLatin1(aObjectName));
    link->setProperty("link", true);
    link->setFlat(true);
    link->setCursor(Qt::PointingHandCursor);
    return link;
}

QLabel* MakeCaption(QWidget* aParent, const char* aObjectName) {
    auto* caption = new QLabel(aParent);
    caption->setObjectName(QString::fromLatin1(aObjectName));
    QFont font = caption->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.25);
    caption->setFont(font);
    return caption;
}

} // namespace brivane::ui
