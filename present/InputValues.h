// SPDX-License-Identifier: GPL-3.0-or-later
// Where each main input of the table lives in the model state, in the
// field's unit: the window and merivane-calc read and set the model through
// these, so the two cannot map a field differently.
#pragma once

#include "InputRows.h"
#include "Model.h"

namespace merivane::present {

// A main input's stored value (Va, Ia, Eff, a reflection in its
// representation: Mag, Rloss or Swr, a phase, CplDirDb); not the efficiency
// in percent but the fraction.
double StoredValue(const TInputs& m, Input id, int representation = 0);
// Sets the input from a value in the field's unit (percent for the
// efficiency); a reflection sets all three of Mag, Rloss and Swr.
void SetFieldValue(TInputs& m, Input id, double fieldValue, int representation = 0);

}  // namespace merivane::present
