#pragma once
// The category chooser's rows: one per category, each ticked at first, with the number
// of programs of the current list in that category.

#include "catalogue/software_types.h"

#include <QAbstractListModel>
#include <QStyledItemDelegate>

#include <vector>

namespace brivane::ui {

inline constexpr int kCategoryRowHeight = 30;
inline constexpr int kCategoryRowWidth = 400;

class TCategoryListModel : public QAbstractListModel {
    Q_OBJECT

public:
    // Every category from scGraphics to scScienceEducation, ticked.
    explicit TCategoryListModel(QObject* aParent = nullptr);

    int rowCount(const QModelIndex& aParent = {}) const override;
    QVariant data(const QModelIndex& aIndex, int aRole) const override;

    TSoftwareCategory Category(int aRow) const;
    bool Checked(int aRow) const;
    // The check mark follows over 0.4 s.
    void SetChecked(int aRow, bool aValue);
    unsigned Count(int aRow) const;
    void SetCount(int aRow, unsigned aCount);
    double CheckLook(int aRow) const;
    // The categories of the ticked rows.
    TSoftwareCategories Selected() const;
    // Every row drawn anew (the language changed).
    void Relabel();

private:
    struct TRow {
        TSoftwareCategory Category;
        bool Checked = true;
        unsigned Count = 0;
        double Check = 1;
    };
    std::vector<TRow> fRows;
};

class TCategoryRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* aPainter, const QStyleOptionViewItem& aOption,
               const QModelIndex& aIndex) const override;
    QSize sizeHint(const QStyleOptionViewItem& aOption, const QModelIndex& aIndex) const override;
};

} // namespace brivane::ui
