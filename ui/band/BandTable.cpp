// SPDX-License-Identifier: GPL-3.0-or-later
#include "BandTable.h"

#include "MeasuredTexts.h"

namespace present = merivane::present;

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

void TBandTable::Show(const present::TBandResult& band, present::PowerUnit unit)
{
    // as many rows as before: new texts in the same rows, which keeps the
    // table's rows, scroll and selection (a reset would rebuild them all)
    if (band.points.size() == points_.size() && !points_.empty()) {
        points_ = band.points;
        unit_ = unit;
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        return;
    }
    beginResetModel();
    points_ = band.points;
    unit_ = unit;
    endResetModel();
}

int TBandTable::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(points_.size());
}

int TBandTable::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : present::kBandColumns + 1; }

QVariant TBandTable::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const present::TBandPoint& p = points_[static_cast<std::size_t>(index.row())];
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
    return index.column() == 0 ? Q(present::BandRowCaption(p)) : Q(present::BandCell(p, index.column() - 1, unit_));
}

QVariant TBandTable::headerData(int section, Qt::Orientation o, int role) const
{
    if (o != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, o, role);
    static const char* const kHeaders[] = {"Frequency", "|\u0393l|", "Incident", "Reflected", "Absorbed"};
    return section >= 0 && section < present::kBandColumns + 1 ? QString::fromUtf8(kHeaders[section]) : QVariant();
}
