// SPDX-License-Identifier: GPL-3.0-or-later
// The Tuner view: the method, the stub spacing, the solutions of the match
// with the screw depths when a calibration table is loaded, whether the load
// can be matched, and the power after the match. The readouts and the table
// are present's texts (TunerTexts.h). Changes are asked for as the whole
// case through Edited; a spacing's spinner steps share one merge id.
#pragma once

#include "CaseView.h"
#include "TunerTexts.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTableWidget;

class TTunerView : public TCaseView {
    Q_OBJECT
public:
    explicit TTunerView(QWidget* parent = nullptr);

    void ShowSnapshot(const merivane::present::TSnapshot& s) override;
    QString HelpAnchor() const override { return QStringLiteral("tuner"); }

    // Reads a calibration CSV and asks for the case with it; on an error the
    // reason is shown in a message and kept in LastError(). False on error.
    bool LoadCalibration(const QString& path);
    QString LastError() const { return lastError_; }

    // The merge ids of the view's edits.
    static constexpr int kMethodMerge = kTunerMergeBase + 0;
    static constexpr int kSpacingMerge = kTunerMergeBase + 1;
    static constexpr int kSolutionMerge = kTunerMergeBase + 2;
    static constexpr int kCalibrationMerge = kTunerMergeBase + 3;

private:
    void Ask(const merivane::present::TCase& c, const QString& what, int mergeId);
    void MethodChosen(int index);
    void SpacingChanged(double mm);
    void SolutionChosen(int row);
    void ChooseCalibrationFile();
    void ClearCalibration();
    void FillTable(const merivane::present::TTunerResult& t, bool withScrews);
    QLabel* ReadoutLabel(merivane::present::TunerReadout id) const { return readouts_[static_cast<int>(id)]; }

    merivane::present::TCase case_;
    bool showing_ = false;  // ShowSnapshot is setting the controls: no Edited
    QString lastError_;
    QComboBox* method_ = nullptr;
    QDoubleSpinBox* spacing_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* readouts_[merivane::present::kTunerReadoutCount] = {};
    QPushButton* load_ = nullptr;
    QPushButton* clear_ = nullptr;
};
