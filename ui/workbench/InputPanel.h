// SPDX-License-Identifier: GPL-3.0-or-later
// The Workbench's inputs: the eight inputs of the main window with their
// representations, Power to Match, Ideal and the three unit choices, in a
// layout that grows with the window. Entries are read by the one reader of
// the input table, as in the main window, with the same notes and tooltips.
#pragma once

#include "CaseView.h"
#include "EntryReader.h"

#include <QPointer>

#include <array>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

class TInputPanel final : public TCaseView {
    Q_OBJECT
public:
    explicit TInputPanel(QWidget* parent = nullptr);

    void ShowSnapshot(const merivane::present::TSnapshot& s) override;
    QString HelpAnchor() const override { return QStringLiteral("workbench-inputs"); }

    // The field of an input (Anode V ... Directivity), and Power to Match.
    QLineEdit* Field(merivane::present::Input id) const { return fields_[static_cast<std::size_t>(id)]; }
    QLineEdit* PowerField() const { return power_; }
    QComboBox* SourceForm() const { return srcForm_; }
    QComboBox* LoadForm() const { return loaForm_; }
    QCheckBox* IdealBox() const { return ideal_; }
    QComboBox* PowerUnitList() const { return powerUnit_; }
    QComboBox* FactorUnitList() const { return factorUnit_; }
    QComboBox* MeasUnitList() const { return measUnit_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* MakeField(merivane::present::Input id);
    // Reads the field's text as the main window would and asks for the case
    // with it; a text that changes nothing only notes.
    void Take(QLineEdit* field);
    void TakePower();
    void Choose(const QString& what, const std::function<void(merivane::present::TCase&)>& change);
    int Representation(merivane::present::Input id) const;

    std::array<QLineEdit*, merivane::present::kMainInputCount> fields_{};
    QLineEdit* power_ = nullptr;
    QLabel* powerUnitLabel_ = nullptr;
    QComboBox* srcForm_ = nullptr;
    QComboBox* loaForm_ = nullptr;
    QCheckBox* ideal_ = nullptr;
    QComboBox* powerUnit_ = nullptr;
    QComboBox* factorUnit_ = nullptr;
    QComboBox* measUnit_ = nullptr;
    merivane::present::TCase case_;
    int showing_ = 0;  // > 0 while a snapshot is written into the controls
};
