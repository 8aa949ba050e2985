// SPDX-License-Identifier: GPL-3.0-or-later
// The Guide view of the Workbench: the line's loss (none, a figure in dB/m,
// or the walls' metal), the breakdown field and a custom waveguide's height,
// and what follows from them: the peak field, the breakdown margin at the
// highest incident power over the phase, the attenuation and the power the
// line turns into heat, as present's texts (GuideTexts.h). It edits only the
// case's guide inputs.
#pragma once

#include "CaseView.h"
#include "GuideTexts.h"

#include <QString>

class QComboBox;
class QLineEdit;

namespace merivane::present {
enum class GuideInput;
}

// The merge ids of the view's controls, from kTunerMergeBase + 500.
inline constexpr int kGuideMergeBase = kTunerMergeBase + 500;
inline constexpr int kGuideLossModeMerge = kGuideMergeBase + 0;
inline constexpr int kGuideMetalMerge = kGuideMergeBase + 1;
inline constexpr int kGuideLossMerge = kGuideMergeBase + 2;
inline constexpr int kGuideBreakdownMerge = kGuideMergeBase + 3;
inline constexpr int kGuideHeightMerge = kGuideMergeBase + 4;

class TGuideView : public TCaseView {
    Q_OBJECT
public:
    explicit TGuideView(QWidget* parent = nullptr);

    void ShowSnapshot(const merivane::present::TSnapshot& s) override;
    QString HelpAnchor() const override { return QStringLiteral("guide"); }

private:
    // A typed number of the guide's row: read by the input table's rules; a
    // change of the value in force is emitted, and the field shows it.
    void NumberEdited(merivane::present::GuideInput id, QLineEdit* field, int mergeId);
    void ChoiceEdited(const QString& what, int mergeId);
    void ShowInputs();
    void Emit(const merivane::present::TCase& c, const QString& what, int mergeId);

    merivane::present::TCase case_;
    bool showing_ = false;  // ShowSnapshot is setting the controls: no edit
    QComboBox* lossMode_ = nullptr;
    QComboBox* metal_ = nullptr;
    QLineEdit* lossDb_ = nullptr;
    QLineEdit* breakdown_ = nullptr;
    QLineEdit* height_ = nullptr;
    // present's readouts (GuideTexts.h), by GuideReadout
    QLineEdit* readouts_[merivane::present::kGuideReadoutCount] = {};
};
