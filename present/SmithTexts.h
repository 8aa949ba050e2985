// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the Smith chart: the readout of a point, the labels of its
// circles and its notes. Powers follow the cells' rules (PowerCell). Texts
// are UTF-8 ("Γ", "°", "∠").
#pragma once

#include "Display.h"
#include "Smith.h"

#include <string>
#include <vector>

namespace merivane::present {

// The readout of a point, a line each: "Γ 0.5 ∠ 90°", "Return loss
// 6.02 dB, SWR 3", "z = 0.6 + j0.8", "y = 0.6 − j0.8",
// "Absorbed 8.24 kW", and on the load's path "Add 21.67 mm" (or degrees of
// round-trip phase).
// The readout of a point beyond |Γ| = 1: no passive load, no power.
inline constexpr char kSmithOutsideText[] = "Outside the chart";

std::vector<std::string> SmithReadoutLines(const smith::TPointReading& r, const smith::TLocus& locus, PowerUnit unit);
// The same as one text, the lines joined by "; ": what a screen reader hears.
std::string SmithReadoutText(const smith::TPointReading& r, const smith::TLocus& locus, PowerUnit unit);

// "a + jb" or "a − jb" with at most 3 decimals; "∞" for an infinite one.
std::string ComplexText(std::complex<double> v, bool finite);

// A circle of constant absorbed power: "90 % 8.24 kW" (the power in the unit).
std::string PowerCircleLabel(double fraction, double availableW, PowerUnit unit);
// An SWR circle: "SWR 1.5".
std::string SwrCircleLabel(double swr);

// Under the chart when the pulling band turns the load a full turn or more.
std::string FullTurnNote();

// The SWR circles the chart draws unless told otherwise.
inline constexpr double kDefaultSwrCircles[] = {1.5, 2.0, 3.0};
// The |G| at the chart's edge the zoom offers, widest first.
inline constexpr double kSmithZooms[] = {1.0, 0.5, 0.2};
// An SWR circle's limits: above 1, and at most the input table's SWR.
inline constexpr double kSwrCircleMin = 1.01, kSwrCircleMax = 100.0;

// A list of SWR circles as typed ("1.5, 2 3"): the values in order, each
// within the limits; false with a message on a text that is no number or a
// value beyond them.
bool ReadSwrCircles(const std::string& text, std::vector<double>& out, std::string& error);
std::string SwrCirclesText(const std::vector<double>& swr);

}  // namespace merivane::present
