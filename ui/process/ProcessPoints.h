// SPDX-License-Identifier: GPL-3.0-or-later
// The Process view's table of points: a row per point of the snapshot's
// process (a typed load, or a measured load's point within the band), each
// cell written by present's process texts when it is shown.
#pragma once

#include "Display.h"
#include "Process.h"

#include <QAbstractTableModel>

class TProcessPoints final : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void Show(const merivane::present::TProcessResult& process, merivane::present::PowerUnit unit);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    std::vector<merivane::present::TProcessLoad> loads_;  // the snapshot's, as shown
    std::size_t worst_ = 0;
    bool robust_ = false;
    merivane::present::PowerUnit unit_ = merivane::present::PowerUnit::Watts;
};
