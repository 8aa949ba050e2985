// SPDX-License-Identifier: GPL-3.0-or-later
// The Applicator view of the Workbench: several magnetrons feeding one
// cavity measured as an N-port. The feeds are edited in a table, a row per
// port; beside them the |S| matrix at the case's frequency, shaded by
// strength, with its strongest couplings; under them what each feed gets
// back, where its isolator sends it, and the totals. Each edit is one undo
// step; it computes nothing itself.
#pragma once

#include "CaseView.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

class TApplicatorView final : public TCaseView {
    Q_OBJECT
public:
    explicit TApplicatorView(QWidget* parent = nullptr);

    void ShowSnapshot(const merivane::present::TSnapshot& s) override;
    QString HelpAnchor() const override { return QStringLiteral("applicator"); }

    // Reads an N-port file in place of the applicator, one undo step; false
    // with the reader's reason in Message() when the file is refused.
    bool OpenApplicator(const QString& path);

    QTableWidget* FeedsTable() const { return feeds_; }
    QTableWidget* MatrixTable() const { return matrix_; }
    QTableWidget* ResultsTable() const { return results_; }
    QLabel* Summary() const { return summary_; }
    QLabel* Couplings() const { return couplings_; }
    QLabel* Totals() const { return totals_; }
    QLabel* Message() const { return message_; }
    QPushButton* OpenButton() const { return open_; }
    QPushButton* RemoveButton() const { return remove_; }

private:
    void Propose(const merivane::present::TCase& c, const QString& what);
    void CellEdited(QTableWidgetItem* item);
    void AskOpen();
    void ShowFeeds();
    void Say(const QString& text);

    merivane::present::TCase case_;
    double caseFrequencyMHz_ = 0;
    bool showing_ = false;
    QPushButton* open_ = nullptr;
    QPushButton* remove_ = nullptr;
    QLabel* message_ = nullptr;
    QLabel* summary_ = nullptr;
    QTableWidget* feeds_ = nullptr;
    QTableWidget* matrix_ = nullptr;
    QLabel* couplings_ = nullptr;
    QTableWidget* results_ = nullptr;
    QLabel* totals_ = nullptr;
};
