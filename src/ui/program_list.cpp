#include "ui/program_list.h"

#include "base/unicode.h"
#include "ui/animation_clock.h"
#include "ui/list_texts.h"
#include "ui/row_paint.h"

#include <QApplication>
#include <QBuffer>
#include <QHash>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace brivane::ui {

namespace {

constexpr int kIconSize = 32;
constexpr double kCheckSeconds = 0.4;
constexpr double kFadeInSeconds = 0.2;
enum TLookChannel { kCheckChannel, kOpacityChannel };

QString Text(const std::string& aText) {
    return QString::fromStdString(aText);
}

QPixmap Placeholder(const std::string& aName, int aSize) {
    QPixmap pixmap(aSize, aSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xA6, 0xA6, 0xA6));
    painter.drawRoundedRect(QRectF(1, 1, aSize - 2, aSize - 2), 6, 6);
    const auto name = Text(aName);
    if (!name.isEmpty()) {
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(aSize / 2);
        painter.setFont(font);
        painter.setPen(QColor(0x5A, 0x5A, 0x5A));
        painter.drawText(QRect(0, 0, aSize, aSize), Qt::AlignCenter, name.left(1).toUpper());
    }
    return pixmap;
}

// The frame of the icon file closest to aSize from above (else the largest).
QImage ReadIcon(const TIconBytes& aBytes, int aSize) {
    QByteArray bytes(reinterpret_cast<const char*>(aBytes.data()),
                     static_cast<qsizetype>(aBytes.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage best;
    const int count = std::max(1, reader.imageCount());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i)) {
            break;
        }
        const QImage image = reader.read();
        if (image.isNull()) {
            continue;
        }
        const bool better =
            best.isNull() ||
            (best.width() < aSize ? image.width() > best.width()
                                  : image.width() >= aSize && image.width() < best.width());
        if (better) {
            best = image;
        }
    }
    return best;
}

} // namespace

QPixmap ProgramIcon(const TProgramInfo& aInfo, int aSize) {
    // Drawn in device pixels, so that icons stay crisp on high-density screens.
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    const int pixels = static_cast<int>(std::lround(aSize * ratio));
    // Rows are rebuilt at every filter change: each icon is read once.
    static QHash<QString, QPixmap> cache;
    const auto key =
        Text(aInfo.Name) + QLatin1Char('/') + QString::number(pixels) + QLatin1Char('/') +
        QString::number(aInfo.fIcon ? static_cast<qulonglong>(aInfo.fIcon->size()) : 0);
    if (const auto found = cache.constFind(key); found != cache.constEnd()) {
        return *found;
    }
    QPixmap pixmap;
    if (aInfo.fIcon && !aInfo.fIcon->empty()) {
        const QImage image = ReadIcon(*aInfo.fIcon, pixels);
        if (!image.isNull()) {
            pixmap = QPixmap::fromImage(
                image.scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        }
    }
    if (pixmap.isNull()) {
        pixmap = Placeholder(aInfo.Name, pixels);
    }
    pixmap.setDevicePixelRatio(ratio);
    cache.insert(key, pixmap);
    return pixmap;
}

TProgramListModel::TProgramListModel(QObject* aParent) : QAbstractListModel(aParent) {}

int TProgramListModel::rowCount(const QModelIndex& aParent) const {
    return aParent.isValid() ? 0 : static_cast<int>(fRows.size());
}

QVariant TProgramListModel::data(const QModelIndex& aIndex, int aRole) const {
    if (!aIndex.isValid() || aIndex.row() >= rowCount()) {
        return {};
    }
    const auto& row = fRows[static_cast<std::size_t>(aIndex.row())];
    switch (aRole) {
    case Qt::DisplayRole:
        return Text(row.Item.Name);
    case Qt::AccessibleTextRole: {
        const auto texts = ProgramRowTexts(row.Item);
        QStringList parts{Text(texts.Name)};
        for (const auto* part : {&texts.Problem, &texts.Description, &texts.Size, &texts.Date}) {
            if (!part->empty()) {
                parts << Text(*part);
            }
        }
        return parts.join(QStringLiteral(", "));
    }
    case Qt::CheckStateRole:
        return row.Checked ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

TProgramListModel::TLook TProgramListModel::MakeLook(const TListRow& aRow, bool aFadeIn) {
    TLook look;
    look.Id = fNextId++;
    look.Check = aRow.Checked ? 1 : 0;
    look.Opacity = aFadeIn && TAnimationClock::Instance().Enabled() ? 0 : 1;
    look.Icon = ProgramIcon(aRow.Item, kIconSize);
    return look;
}

void TProgramListModel::Reset(std::vector<TListRow> aRows) {
    for (const auto& look : fLooks) {
        TAnimationClock::Instance().Stop(this, static_cast<int>(look.Id * 2 + kCheckChannel));
        TAnimationClock::Instance().Stop(this, static_cast<int>(look.Id * 2 + kOpacityChannel));
    }
    beginResetModel();
    fRows = std::move(aRows);
    fLooks.clear();
    for (const auto& row : fRows) {
        fLooks.push_back(MakeLook(row, true));
    }
    endResetModel();
    for (const auto& look : fLooks) {
        if (look.Opacity < 1) {
            AnimateLook(look.Id, kOpacityChannel, 0, 1, kFadeInSeconds);
        }
    }
}

int TProgramListModel::Append(TListRow aRow) {
    const int index = rowCount();
    beginInsertRows({}, index, index);
    fLooks.push_back(MakeLook(aRow, false));
    fRows.push_back(std::move(aRow));
    endInsertRows();
    return index;
}

void TProgramListModel::Clear() {
    Reset({});
}

int TProgramListModel::IndexOf(std::string_view aName) const {
    for (std::size_t i = 0; i < fRows.size(); ++i) {
        if (SameText(fRows[i].Item.Name, aName)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TProgramListModel::SetInfo(int aRow, const TProgramInfo& aInfo) {
    if (aRow < 0 || aRow >= rowCount()) {
        return;
    }
    const auto row = static_cast<std::size_t>(aRow);
    fRows[row].Item = aInfo;
    fLooks[row].Icon = ProgramIcon(aInfo, kIconSize);
    emit dataChanged(index(aRow), index(aRow));
}

void TProgramListModel::SetChecked(int aRow, bool aValue) {
    if (aRow < 0 || aRow >= rowCount()) {
        return;
    }
    const auto row = static_cast<std::size_t>(aRow);
    if (fRows[row].Checked == aValue) {
        return;
    }
    fRows[row].Checked = aValue;
    AnimateLook(fLooks[row].Id, kCheckChannel, fLooks[row].Check, aValue ? 1 : 0, kCheckSeconds);
}

void TProgramListModel::Relabel() {
    if (!fRows.empty()) {
        emit dataChanged(index(0), index(rowCount() - 1));
    }
}

int TProgramListModel::RowOfId(std::uint64_t aId) const {
    for (std::size_t i = 0; i < fLooks.size(); ++i) {
        if (fLooks[i].Id == aId) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TProgramListModel::AnimateLook(std::uint64_t aId, int aChannel, double aFrom, double aTo,
                                    double aSeconds) {
    TAnimationClock::Instance().Animate(
        this, static_cast<int>(aId * 2 + static_cast<std::uint64_t>(aChannel)), aFrom, aTo,
        aSeconds, [this, aId, aChannel](double aValue) {
            const int row = RowOfId(aId);
            if (row < 0) {
                return;
            }
            auto& look = fLooks[static_cast<std::size_t>(row)];
            (aChannel == kCheckChannel ? look.Check : look.Opacity) = aValue;
            emit dataChanged(index(row), index(row), {Qt::DecorationRole});
        });
}

QSize TProgramRowDelegate::sizeHint(const QStyleOptionViewItem& aOption, const QModelIndex&) const {
    return {aOption.rect.width(), kProgramRowHeight};
}

QRect TProgramRowDelegate::InfoButtonRect(const QRect& aRowRect) {
    return ProgramRowGeometry(aRowRect).Info;
}

void TProgramRowDelegate::paint(QPainter* aPainter, const QStyleOptionViewItem& aOption,
                                const QModelIndex& aIndex) const {
    const auto* model = qobject_cast<const TProgramListModel*>(aIndex.model());
    if (!model) {
        return;
    }
    const int row = aIndex.row();
    const auto& item = model->Rows()[static_cast<std::size_t>(row)];
    TProgramRowLook look;
    look.Check = model->CheckLook(row);
    look.Opacity = model->Opacity(row);
    look.Focused = (aOption.state & QStyle::State_HasFocus) != 0;
    PaintProgramRow(*aPainter, aOption.rect, ProgramRowTexts(item.Item), model->Icon(row), look);
}

} // namespace brivane::ui
