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
// The half-width in force: the measured load's own, else the default above.
double BandHalfMHz(const TSnapshot& s);

// "Measured Load": file, band, the load taken and the note; then the
// snapshot's band, its points and its worst reflected power. None without a
// measurement.
std::vector<TSection> MeasuredSections(const TSnapshot& s);

}  // namespace merivane::present
