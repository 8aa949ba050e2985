// SPDX-License-Identifier: GPL-3.0-or-later
// What the magnetron's and the measurement's views share: a spinner bound to
// a row of the tube's input table, and a read-only table of captions and
// values that a screen reader names and walks.
#pragma once

#include "MagnetronRows.h"
#include "Case.h"
#include "MagnetronCase.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include <vector>

// A spinner of one input: its limits, decimals, step, accessible name and
// tooltip from the row; 0 shows "not set". Typing commits on Enter or on
// leaving it; each arrow step commits at once.
class TTubeSpinner : public QDoubleSpinBox {
    Q_OBJECT
public:
    TTubeSpinner(merivane::present::TubeInput id, QWidget* parent = nullptr);
    merivane::present::TubeInput Id() const { return id_; }
    // Shows a value without announcing a change.
    void Show(double value);
    // The field typed in, for the keyboard's tests.
    QLineEdit* Editor() const { return lineEdit(); }

private:
    merivane::present::TubeInput id_;
};

// Two columns, the caption and the value with its unit; rows replaced whole.
class TValueTable : public QTableWidget {
    Q_OBJECT
public:
    TValueTable(const QString& accessibleName, const QStringList& headers, QWidget* parent = nullptr);
    // One row per entry: the caption, then each value joined with its unit;
    // every cell of the row has the row's tooltip.
    void ShowRows(const std::vector<merivane::present::TCaseRow>& rows);
    // The text of a row's value by its caption; empty when there is none.
    QString ValueOf(const QString& caption, int column = 1) const;
};

// A tooltip, and the same for a screen reader.
void SetTip(QWidget* w, const QString& tip);
// The caption of a spinner, "Pulling Figure:", its buddy, with its tooltip.
QLabel* BuddyLabel(TTubeSpinner* spinner, QWidget* parent);

// The input's value in the case, and a way to set it.
double TubeValue(const merivane::present::TTubeCase& t, merivane::present::TubeInput id);
void SetTubeValue(merivane::present::TTubeCase& t, merivane::present::TubeInput id, double value);
