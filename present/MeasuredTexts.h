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

// The ends of the magnetron's pulled range, f0 plus its shifts over all
// phases; NaN without a pulling figure.
struct TPulledRange {
    double loMHz, hiMHz;
};
TPulledRange PulledRangeMHz(const TSnapshot& s);

// A band point as its table row shows it: "2450.5 MHz", then |Γl| and the
// incident, reflected and absorbed power in the unit.
inline constexpr int kBandColumns = 4;
std::string BandRowCaption(const TBandPoint& p);
std::string BandCell(const TBandPoint& p, int column, PowerUnit unit);
// "Worst reflected 2.97 kW at 2452.5 MHz; absorbed 6.08 .. 8.9 kW"; no points: says so.
std::string BandSummary(const TBandResult& b, PowerUnit unit);

// "Measured Load": file, band, the load taken and the note; then the
// snapshot's band, its points and its worst reflected power. None without a
// measurement.
std::vector<TSection> MeasuredSections(const TSnapshot& s);

}  // namespace merivane::present
