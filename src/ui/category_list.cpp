#include "ui/category_list.h"

#include "app/localization.h"
#include "ui/animation_clock.h"
#include "ui/row_paint.h"

namespace brivane::ui {

namespace {

constexpr double kCheckSeconds = 0.4;

} // namespace

TCategoryListModel::TCategoryListModel(QObject* aParent) : QAbstractListModel(aParent) {
    for (int category = scGraphics; category <= scScienceEducation; ++category) {
        fRows.push_back({static_cast<TSoftwareCategory>(category)});
    }
}

int TCategoryListModel::rowCount(const QModelIndex& aParent) const {
    return aParent.isValid() ? 0 : static_cast<int>(fRows.size());
}

QVariant TCategoryListModel::data(const QModelIndex& aIndex, int aRole) const {
    if (!aIndex.isValid() || aIndex.row() >= rowCount()) {
        return {};
    }
    const auto& row = fRows[static_cast<std::size_t>(aIndex.row())];
    const auto name =
        QString::fromStdString(CategoryToString(row.Category, CurrentLanguage.load()));
    switch (aRole) {
    case Qt::DisplayRole:
        return name;
    case Qt::AccessibleTextRole:
        return name + QStringLiteral(", ") + QString::number(row.Count);
    case Qt::CheckStateRole:
        return row.Checked ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

TSoftwareCategory TCategoryListModel::Category(int aRow) const {
    return fRows.at(static_cast<std::size_t>(aRow)).Category;
}

bool TCategoryListModel::Checked(int aRow) const {
    return fRows.at(static_cast<std::size_t>(aRow)).Checked;
}

unsigned TCategoryListModel::Count(int aRow) const {
    return fRows.at(static_cast<std::size_t>(aRow)).Count;
}

double TCategoryListModel::CheckLook(int aRow) const {
    return fRows.at(static_cast<std::size_t>(aRow)).Check;
}

void TCategoryListModel::SetChecked(int aRow, bool aValue) {
    if (aRow < 0 || aRow >= rowCount()) {
        return;
    }
    auto& row = fRows[static_cast<std::size_t>(aRow)];
    row.Checked = aValue;
    TAnimationClock::Instance().Animate(this, aRow, row.Check, aValue ? 1 : 0, kCheckSeconds,
                                        [this, aRow](double aValue) {
                                            fRows[static_cast<std::size_t>(aRow)].Check = aValue;
                                            emit dataChanged(index(aRow), index(aRow));
                                        });
}

void TCategoryListModel::SetCount(int aRow, unsigned aCount) {
    if (aRow < 0 || aRow >= rowCount()) {
        return;
    }
    fRows[static_cast<std::size_t>(aRow)].Count = aCount;
    emit dataChanged(index(aRow), index(aRow));
}

TSoftwareCategories TCategoryListModel::Selected() const {
    TSoftwareCategories selected;
    for (const auto& row : fRows) {
        if (row.Checked) {
            selected.Include(row.Category);
        }
    }
    return selected;
}

void TCategoryListModel::Relabel() {
    emit dataChanged(index(0), index(rowCount() - 1));
}

void TCategoryRowDelegate::paint(QPainter* aPainter, const QStyleOptionViewItem& aOption,
                                 const QModelIndex& aIndex) const {
    const auto* model = qobject_cast<const TCategoryListModel*>(aIndex.model());
    if (!model) {
        return;
    }
    const int row = aIndex.row();
    PaintCategoryRow(*aPainter, aOption.rect, aIndex.data(Qt::DisplayRole).toString(),
                     model->Count(row), model->CheckLook(row),
                     (aOption.state & QStyle::State_HasFocus) != 0);
}

QSize TCategoryRowDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    return {kCategoryRowWidth, kCategoryRowHeight + 2};
}

} // namespace brivane::ui
