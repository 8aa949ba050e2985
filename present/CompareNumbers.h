// SPDX-License-Identifier: GPL-3.0-or-later
// The number behind each text of the Compare view: for every input, result
// cell and Line Sweep readout, the value in the unit its text shows (watts
// for W and kW) and the linear quantity its change in % is taken of.
#pragma once

#include "Cells.h"
#include "Display.h"
#include "Model.h"

#include <limits>

namespace merivane::present {

inline constexpr double kNoNumber = std::numeric_limits<double>::quiet_NaN();

struct TNumber {
    double shown = kNoNumber;   // in the shown unit; watts for W and kW
    double linear = kNoNumber;  // what the change in % is of; NaN for none
    int decimals = 3;           // of the difference, as the text shows the value
};

// A power as PowerCell shows it: dB of milliwatts, watts or kilowatts, or watts.
TNumber PowerNumber(double watts, PowerUnit unit);
// The number behind a result cell of ResultCells(), by its value label.
TNumber CellNumber(const TResultCell& cell, const TModel& m, const TDisplay& d);
// The number behind the i-th row of InputSection().
TNumber InputNumber(int row, const TModel& m, const TDisplay& d);

}  // namespace merivane::present
