// SPDX-License-Identifier: GPL-3.0-or-later
// What the guide carries and what the line loses, as the case holds it: the
// loss of the line (none, a figure entered in dB/m, or the TE10 conductor
// attenuation of the guide's metal), the breakdown field the peak field is
// measured against, and the height of a custom waveguide (the presets have
// their standard heights). The limits and defaults are in GuideRows().
#pragma once

#include "GuideLoad.h"
#include "InputRows.h"
#include "LineLoss.h"
#include "LineSweep.h"
#include "Model.h"

#include <span>
#include <string>

namespace merivane::present {

enum class GuideInput { LossDbPerM, BreakdownKvPerM, HeightMm };

// The guide's numbers are rows of the input table (from kFirstGuideInput on,
// in GuideInput's order); these are views onto them.
using TGuideRow = TInputRow;
std::span<const TGuideRow> GuideRows();
const TGuideRow& GuideRow(GuideInput id);
// The row as the input table's reader and writer take it (ReadEntry, EntryText).
inline TInputRow AsInputRow(const TGuideRow& row) { return row; }

// The loss modes and the metals by their names in the case file, on the
// command line and in the view's lists.
struct TLossModeName {
    LossSource mode;
    const char* key;    // "none", "entered", "conductor"
    const char* label;  // "No loss", "Entered dB/m", "Conductor metal"
};
std::span<const TLossModeName> LossModeNames();
const char* LossModeKey(LossSource mode);
const char* ConductorKey(Conductor metal);  // "copper", "aluminium", "brass"

struct TGuideInputs {
    LossSource loss = LossSource::None;
    double lossDbPerM = 0.0;  // with LossSource::Entered
    Conductor metal = Conductor::Copper;  // with LossSource::Conductor
    double breakdownKvPerM = kDefaultBreakdownKvPerM;
    double heightMm = kDefaultCustomHeightMm;  // the custom waveguide's height
    bool operator==(const TGuideInputs&) const = default;
};

// The attenuation of the case's line in force (0 dB/m without a loss, or when
// its figure cannot be had), and e^(-2 alpha L) over the line's length.
TAttenuation GuideAttenuation(const TSweepInputs& line, const TGuideInputs& g);
double CaseLinePass(const TSweepInputs& line, const TGuideInputs& g);

// The model of the case with its line between the magnetron and the load:
// CalcTransmission with the line's pass factor. The window, the snapshot and
// merivane-calc all compute it so.
void CalcCaseModel(TModel& m, bool ideal, const TSweepInputs& line, const TGuideInputs& g);

// The Transmission page's note on a lossy line: "includes 20.0 dB of line
// loss each way" (the loss one way, one decimal); empty without a loss.
std::string LineLossNote(const TLineLoss& loss);

// The guide's results. m is the model as CalcTransmission left it, with or
// without the line's pass factor (the line loss reads only its inputs).
struct TGuideResult {
    TAttenuation attenuation;  // the figure in force; 0 dB/m unless its status is kLossOk
    TLineLoss loss;            // the line's loss over the line's length
    // The peak field is bounded with the forward wave at the source end, where
    // it is strongest, and the load's own |Gl|: the same as the model's
    // without a loss, and an upper bound with one.
    TGuideLoad load;
};

TGuideResult ComputeGuide(const TModel& m, const TSweepInputs& line, const TGuideInputs& g);

}  // namespace merivane::present
