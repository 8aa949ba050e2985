// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessPoints.h"

#include "ProcessTexts.h"

#include <QFont>

namespace present = merivane::present;

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

void TProcessPoints::Show(const present::TProcessResult& p, present::PowerUnit unit)
{
    const bool same = p.loads.size() == loads_.size() && !loads_.empty();
    if (!same) beginResetModel();
    loads_ = p.loads;
    robust_ = p.robust.solved;
    worst_ = p.robust.robust.worstPoint;
    unit_ = unit;
    // as many rows as before: new texts in the same rows, which keeps the scroll and selection
    if (same) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    else endResetModel();
}

int TProcessPoints::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(loads_.size());
}

int TProcessPoints::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : present::kProcessColumns + 1;
}

QVariant TProcessPoints::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const std::size_t row = static_cast<std::size_t>(index.row());
    const present::TProcessLoad& l = loads_[row];
    // the worst point of the robust setting in bold
    if (role == Qt::FontRole && robust_ && row == worst_) {
        QFont f;
        f.setBold(true);
        return f;
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(index.column() == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
    return index.column() == 0 ? Q(l.name) : Q(present::ProcessCell(l, index.column() - 1, unit_));
}

QVariant TProcessPoints::headerData(int section, Qt::Orientation o, int role) const
{
    if (o != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, o, role);
    if (section == 0) return QStringLiteral("Point");
    return section > 0 && section <= present::kProcessColumns ? QString::fromUtf8(present::ProcessColumnCaption(section - 1))
                                                                : QVariant();
}
