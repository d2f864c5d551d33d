#pragma once
// The rows shown in one of the three program lists: the model the list view draws
// (each row with its own copy of the program info, its tick, and its look while the
// check mark and the fade-in animate) and the delegate that paints a row.

#include "app/basic_main_view.h"

#include <QAbstractListModel>
#include <QPixmap>
#include <QStyledItemDelegate>

#include <cstdint>
#include <string_view>
#include <vector>

namespace brivane::ui {

inline constexpr int kProgramRowHeight = 50;

class TProgramListModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit TProgramListModel(QObject* aParent = nullptr);

    int rowCount(const QModelIndex& aParent = {}) const override;
    QVariant data(const QModelIndex& aIndex, int aRole) const override;

    const std::vector<TListRow>& Rows() const { return fRows; }
    // Replaces every row; the new rows fade in.
    void Reset(std::vector<TListRow> aRows);
    int Append(TListRow aRow);
    void Clear();
    // The row of that name in any letter case, or -1.
    int IndexOf(std::string_view aName) const;
    void SetInfo(int aRow, const TProgramInfo& aInfo);
    // The check mark follows over 0.4 s.
    void SetChecked(int aRow, bool aValue);
    // Every row drawn anew (the language changed).
    void Relabel();

    // 0 (unticked) to 1 (ticked) while the check mark animates.
    double CheckLook(int aRow) const { return fLooks[static_cast<std::size_t>(aRow)].Check; }
    double Opacity(int aRow) const { return fLooks[static_cast<std::size_t>(aRow)].Opacity; }
    const QPixmap& Icon(int aRow) const { return fLooks[static_cast<std::size_t>(aRow)].Icon; }

private:
    struct TLook {
        std::uint64_t Id = 0; // names the row's animations
        double Check = 0;
        double Opacity = 1;
        QPixmap Icon;
    };

    TLook MakeLook(const TListRow& aRow, bool aFadeIn);
    void AnimateLook(std::uint64_t aId, int aChannel, double aFrom, double aTo, double aSeconds);
    int RowOfId(std::uint64_t aId) const;

    std::vector<TListRow> fRows;
    std::vector<TLook> fLooks;
    std::uint64_t fNextId = 1;
};

// Paints program rows: icon, name, version line, date, size, the description button,
// the check mark and the warning mark of a failed check.
class TProgramRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* aPainter, const QStyleOptionViewItem& aOption,
               const QModelIndex& aIndex) const override;
    QSize sizeHint(const QStyleOptionViewItem& aOption, const QModelIndex& aIndex) const override;

    // Where a row of aRowRect draws its description button.
    static QRect InfoButtonRect(const QRect& aRowRect);
};

// The icon bytes of a program (an .ico file) as a picture of about aSize pixels; a
// neutral placeholder when there are none or they cannot be read.
QPixmap ProgramIcon(const TProgramInfo& aInfo, int aSize);

} // namespace brivane::ui
