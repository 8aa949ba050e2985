// SPDX-License-Identifier: GPL-3.0-or-later
// The "Compare" view: every input and result of the case beside those of a
// reference (pinned from the case, or read from a case file), with the
// difference and the change in %, the differing rows marked. Ctrl+C copies
// it as a table.
#pragma once

#include "CaseView.h"

#include <optional>

class QLabel;
class QTableWidget;

class TCompareView final : public TCaseView {
    Q_OBJECT
public:
    explicit TCompareView(QWidget* parent = nullptr);

    void ShowSnapshot(const merivane::present::TSnapshot& s) override;
    QString HelpAnchor() const override { return QStringLiteral("workbench-compare"); }

    // The reference the case is compared with; described as where it came from.
    void SetReference(const merivane::present::TSnapshot& reference, const QString& origin);
    bool HasReference() const { return reference_.has_value(); }
    QTableWidget* Table() const { return table_; }
    // The comparison as a tab-separated table; empty without a reference.
    QString TableText() const;
    void CopyTable() const;

signals:
    // A reference was pinned or read: the view comes to the front.
    void ReferenceSet();

private:
    void Render();

    QLabel* origin_;
    QTableWidget* table_;
    std::optional<merivane::present::TSnapshot> reference_;
    std::optional<merivane::present::TSnapshot> current_;
};
