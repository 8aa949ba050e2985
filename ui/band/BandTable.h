// SPDX-License-Identifier: GPL-3.0-or-later
// The Band view's table: a row per measured point of the snapshot's band,
// each cell written by present's band texts when it is shown, so that ten
// thousand points cost nothing until they are scrolled to.
#pragma once

#include "Display.h"
#include "MeasuredCase.h"

#include <QAbstractTableModel>

class TBandTable final : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void Show(const merivane::present::TBandResult& band, merivane::present::PowerUnit unit);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    std::vector<merivane::present::TBandPoint> points_;  // the snapshot's, as shown
    merivane::present::PowerUnit unit_ = merivane::present::PowerUnit::Watts;
};
