// SPDX-License-Identifier: GPL-3.0-or-later
// The Process view of the Workbench: the load set the product shows as it
// heats, in process order (the first the nominal one), edited in a table;
// the one robust tuner setting over it, for the Tuner's method and spacing;
// the envelope of the powers; a chart of the absorbed and reflected power per
// point without a tuner and with the robust setting; and a table of points.
// Each edit of the set is one undo step; it computes nothing itself.
#pragma once

#include "CaseView.h"

class IProcessChart;
class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;
class QTableWidget;
class QTableWidgetItem;
class TProcessPoints;

class TProcessView final : public TCaseView {
    Q_OBJECT
public:
    explicit TProcessView(QWidget* parent = nullptr);

    void ShowSnapshot(const merivane::present::TSnapshot& s) override;
    QString HelpAnchor() const override { return QStringLiteral("process"); }

    // Reads a load set's CSV and puts it in place of the set, one undo step;
    // false with the reason in Message() when the file is refused.
    bool ImportLoadSet(const QString& path);

    QTableWidget* SetTable() const { return set_; }
    QTableView* PointsTable() const { return points_; }
    QCheckBox* RobustBox() const { return robust_; }
    QLabel* Summary() const { return summary_; }
    QLabel* Message() const { return message_; }
    QPushButton* Button(int i) const { return buttons_[i]; }  // add, remove, up, down, import
    // null when the chart library could not be loaded (Message says why)
    IProcessChart* Chart() const { return chart_; }

private:
    void Propose(const merivane::present::TCase& c, const QString& what);
    void CellEdited(QTableWidgetItem* item);
    void Move(int step);
    void AskImport();
    void ShowSet();

    merivane::present::TCase case_;
    bool showing_ = false;
    QTableWidget* set_ = nullptr;
    QCheckBox* robust_ = nullptr;
    QPushButton* buttons_[5] = {};
    QLabel* summary_ = nullptr;
    QLabel* message_ = nullptr;
    QString chartError_;
    IProcessChart* chart_ = nullptr;
    QTableView* points_ = nullptr;
    TProcessPoints* model_ = nullptr;
};
