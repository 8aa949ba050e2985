// SPDX-License-Identifier: GPL-3.0-or-later
// A measured load as the report and the text output show it: the file, the
// load taken at the case's frequency with its note, and the band around it.
#pragma once

#include "Case.h"
#include "CaseModel.h"

namespace merivane::present {

// The band's half-width where none is asked: the magnetron's pulling range
// (the larger of its shifts over all phases) where the case has one, else 50 MHz.
double DefaultBandHalfMHz(const TSnapshot& s);

// "Measured Load": file, band, the load taken and the note; then the band's
// points and its worst reflected power. Empty title without a measurement.
std::vector<TSection> MeasuredSections(const TSnapshot& s, double halfMHz);

}  // namespace merivane::present
