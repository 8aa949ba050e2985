// SPDX-License-Identifier: GPL-3.0-or-later
// A case against a reference: every input and every result of the two side by
// side, both in the current case's display choices, with the difference and
// the change in %. The Workbench's Compare view shows these rows and copies
// them as a table.
//
// How a row is differenced:
// - Both sides are rendered with the current case's units and
//   representations, so the texts are those the current case's copy would
//   show for either set of values.
// - The difference is current − reference in the unit the current value
//   shows: a power shown in kW is differenced in kW (2 decimals) and one
//   shown in W in W, whatever the reference's own value shows (a reference
//   of 900 W against 1.2 kW reads "+0.30 kW"). Values shown in a decibel
//   unit are differenced in dB (dBm − dBm is dB). Every other unit keeps its
//   own (%, points of %, Mag, SWR, V, A, °, mm, MHz).
// - The change in % is (current − reference) / |reference| × 100 of the
//   linear quantity: for a linear display the shown number itself, for a
//   power or a power ratio shown in a decibel unit the power or ratio behind
//   it, since a relative change of decibels means nothing. A quantity that is
//   itself in decibels (the directivity, a return loss, an isolation, a
//   margin in dB) changes in dB alone: "+5 dB", without a change in %.
//   Phases have none, having no zero.
// - Difference and change are empty when either side shows no number (the
//   infinity sentinel "+oo", "n/a", "Undefined", "Ideal", an empty cell); the
//   change is also empty when the reference is 0.
// - A row differs when its values are not equal bit for bit.
#pragma once

#include "CaseModel.h"

#include <string>
#include <vector>

namespace merivane::present {

struct TComparisonRow {
    std::string section;     // the copy's section title: "Transmission"
    std::string caption;     // row and column: "Absorbed Power, Actual Value"
    std::string reference;   // "10.2 kW": the reference's text with its unit
    std::string current;     // the current case's
    std::string difference;  // "-1.02 kW"; positive ones with "+"
    std::string change;      // "-10.03": the change in %, without the sign %
    bool differs = false;
};

struct TComparison {
    // "Inputs", "Line", the copy's regions, "Line Sweep", then the Workbench's
    // views: "Tuner", "Guide", "Magnetron", "Uncertainty", a measured load's
    std::vector<TComparisonRow> rows;
};

TComparison Compare(const TSnapshot& reference, const TSnapshot& current);

// Tab-separated for a spreadsheet (Ctrl+C): the header "Quantity",
// "Reference", "Current", "Difference", "Change %"; then per section a line
// with its title alone and a line per row, the quantity being its caption.
std::string ComparisonTable(const TComparison& c);

}  // namespace merivane::present
