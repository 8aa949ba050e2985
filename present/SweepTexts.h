// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the "Line Sweep" page: its readouts, its status line, the
// captions of the chart's axes and curves and the readout under the pointer.
// Powers follow the cells' rules (PowerCell). Texts are UTF-8 ("°", "±", "≥").
#pragma once

#include "Display.h"
#include "LineSweep.h"

#include <string>
#include <vector>

namespace merivane::present {

// One readout of the page.
struct TSweepRow {
    std::string name;     // "Guide Wavelength", also its accessible name
    std::string unit;     // "mm", "°", "kW", ...; empty when it has none
    std::string caption;  // "Guide Wavelength (mm)": the name with its unit
    std::string text;     // "173.38"
    // "173.38 mm"; the text alone where it is no number ("n/a", "any length")
    std::string WithUnit() const;
};

// The eight readouts in page order: "Guide Wavelength", "Length per Period",
// "Add for Maximum", "Add for Minimum", "Phase Spread", "Mean Absorbed Power",
// "Absorbed Power Deviation", "Absorbed Power 95 % Interval". The deviation
// is a spread of powers, always in W or kW whatever the unit: a difference of
// powers has no decibel value.
std::vector<TSweepRow> SweepRows(const TSweepResult& r, PowerUnit unit);

// The line under the inputs: the cut-off, a random phase, more than one
// mode, or empty (also when no line is known).
std::string SweepStatus(const TSweepResult& r);

// A frequency as an engineer reads it: in MHz with 2 decimals up to
// 9999.99 MHz ("1735.71 MHz"), from 10 GHz on in GHz with 4 significant
// digits ("149.9 GHz").
std::string FrequencyText(double mhz);

// "more than one mode propagates above 3471.4 MHz" when the frequency lies
// above the next mode's cut-off; empty otherwise.
std::string MultimodeWarning(const TSweepResult& r);

// The statistics of a uniformly random line phase in one line, for a
// report: "Random phase: mean 7.73 kW, deviation 1.1 kW, 95 % interval
// 6.33 .. 9.44 kW".
std::string RandomPhaseLine(const TSweepResult& r, PowerUnit unit);

// One line that names the sweep of a report's chart: the line, the guide
// wavelength, the lengths to add and the phase spread, or why they cannot be
// given; over the round-trip phase when no line is known.
std::string SweepSummary(const TSweepInputs& in, const TSweepResult& r);

// The text of a readout that cannot be given: no wave propagates.
inline constexpr const char* kNotApplicable = "n/a";
// The length advice when Gs Gl = 0: every length gives the same power.
inline constexpr const char* kAnyLength = "any length";

// The chart's power axis: one scale for all its points, since a numeric axis
// cannot switch from W to kW along the way. In Watts (and with no unit
// chosen) kW when the largest power is 1000 W or more, else W; otherwise the
// decibel unit chosen.
struct TPowerAxis {
    Unit unit = Unit::W;
    bool decibel = false;
    double scale = 1.0;  // watts per axis unit, or the reference power in watts of the dB unit
};
TPowerAxis PowerAxisFor(double largestWatts, PowerUnit unit);
// A power on the axis; NaN in a dB unit for a power that is not above zero.
double AxisValue(const TPowerAxis& axis, double watts);
std::string PowerAxisTitle(const TPowerAxis& axis);  // "Power (kW)"
// "Added length (mm)", or "Round-trip phase change (°)" when no wave propagates.
std::string LengthAxisTitle(bool overLength);

enum class SweepSeries {
    Absorbed,
    Incident,
    Reflected,
    CouplerBand,
    PullingBand,
    Present,
    MinAbsorbed,
    MaxAbsorbed,
    PulledFrequency  // the magnetron's frequency over the added length, on its own axis
};
// The legend's name of each part of the chart.
std::string SeriesName(SweepSeries s);

// What the pointer shows at x (mm or degrees): the position and the powers.
// Lines are separated by "\n"; the coupler bounds only when not ideal.
std::string PointText(double x, bool overLength, const TSweepPoint& p, PowerUnit unit, bool ideal);

}  // namespace merivane::present
