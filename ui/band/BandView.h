// SPDX-License-Identifier: GPL-3.0-or-later
// The Band view of the Workbench: a measured load over the case's frequency
// ± a half-width, as the snapshot's band has it: a chart of |Γl| and of the
// incident, reflected and absorbed power with the case's source, marks at
// the case's frequency and the pulled range, a table of the same figures and
// the worst reflected power. It edits the band's half-width and the plane
// shift of the measured load, nothing else.
#pragma once

#include "CaseView.h"
#include "InputRows.h"

class IBandChart;
class QLabel;
class QLineEdit;
class QTableView;
class TBandTable;

inline constexpr int kBandMergeBase = kWorkbenchMergeBase + 1000;

class TBandView final : public TCaseView {
    Q_OBJECT
public:
    explicit TBandView(QWidget* parent = nullptr);

    void ShowSnapshot(const merivane::present::TSnapshot& s) override;
    QString HelpAnchor() const override { return QStringLiteral("measured"); }

    QLineEdit* HalfWidthField() const { return half_; }
    QLineEdit* PlaneShiftField() const { return shift_; }
    QLabel* Summary() const { return summary_; }
    QTableView* Table() const { return table_; }
    // null when the chart library could not be loaded (Summary says why)
    IBandChart* Chart() const { return chart_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A typed number of the row: read by the input table's rules; a change of
    // the value in force is emitted, and the field shows it.
    void NumberEdited(merivane::present::Input id, QLineEdit* field);
    QLineEdit* MakeField(merivane::present::Input id);

    merivane::present::TCase case_;
    bool showing_ = false;
    QLineEdit* half_ = nullptr;
    QLineEdit* shift_ = nullptr;
    QLabel* summary_ = nullptr;
    QString chartError_;
    IBandChart* chart_ = nullptr;
    QTableView* table_ = nullptr;
    TBandTable* model_ = nullptr;
};
