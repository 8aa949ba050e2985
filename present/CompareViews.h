// SPDX-License-Identifier: GPL-3.0-or-later
// The Workbench views' rows of a comparison: the Tuner, the Guide, the
// Magnetron and the Uncertainty, and a measured load's, each row as its view
// writes it. A row's number is its text when the text is one number; a
// quantity in decibels (directivity, isolation, a margin) is differenced in
// dB and has no change in %, nor has a phase.
#pragma once

#include "Case.h"
#include "Compare.h"
#include "CompareRow.h"

namespace merivane::present {

void AddViews(TComparison& out, const TSnapshot& reference, const TSnapshot& current);

// A view's text as one side of a row: its number when the text is one (W and
// kW in watts), else none.
TCompareSide ViewSide(const TValue& v);

}  // namespace merivane::present
