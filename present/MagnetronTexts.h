// SPDX-License-Identifier: GPL-3.0-or-later
// The magnetron and the measurement as rows: their inputs and results as the
// views, the text output of merivane-calc and the report write them. Powers
// follow the cells' rules in the display's power unit; texts are UTF-8.
#pragma once

#include "Case.h"
#include "CaseModel.h"

#include <string>
#include <string_view>
#include <vector>

namespace merivane::present {

inline constexpr const char* kMagnetronTitle = "Magnetron";
inline constexpr const char* kMeasurementTitle = "Uncertainty";
// The captions of the rows that a view shows as notes of their own.
inline constexpr const char* kLongLineCaption = "Long Line";
inline constexpr const char* kRatingCheckCaption = "Rating Check";

// A number with its decimals, "n/a" when not defined, "∞" from kInfinity on.
std::string TubeNumber(double x, int decimals, bool defined = true);
// A signed shift: "+9.60", "−16.00".
std::string SignedNumber(double x, int decimals);
// The frequencies the tube can run at: "2459.60 MHz" or "2441.20, 2450.10, 2458.90 MHz".
std::string FrequencyList(const std::vector<double>& mhz);
// "|Γ| 0.3792 (SWR 2.222)"; "none" when no load reaches it.
std::string MagAndSwr(double mag, double swr);

// The warning of the long line; empty when the tube has one frequency only.
std::string LongLineWarning(const TMagnetronResult& r);
// The dummy load against its rating; empty when no rating is set.
std::string DummyRatingCheck(const TIsolatorResult& r);

// "Magnetron": the pulling, the long line, the isolator and the dummy load.
TSection MagnetronSection(const TSnapshot& s);
// "Uncertainty": the phase model, the components, the combined and expanded
// uncertainty beside the worst-case bounds, the trip levels, the water load.
TSection MeasurementSection(const TSnapshot& s);
// Each of the two sections whose inputs are not all at their defaults.
std::vector<TSection> TubeSections(const TSnapshot& s);

// What the Workbench's views show in their tables. The Magnetron view: the
// section's results, its inputs and the rows it shows as notes left out.
std::vector<TCaseRow> MagnetronResultRows(const TSnapshot& s);
// The Uncertainty view's budget: each component, the combined and the
// expanded uncertainty, and the Power Meas page's worst-case bounds of the
// same snapshot beside them; the relative value, then the absorbed power.
std::vector<TCaseRow> UncertaintyBudgetRows(const TSnapshot& s);
// Its trip levels and the water load against the model.
std::vector<TCaseRow> TripAndWaterRows(const TSnapshot& s);

// What a result row of the two views, or of their sections, is and its
// unit, by its caption: its tooltip. Null for a caption without one.
const char* TubeResultTip(std::string_view caption);

}  // namespace merivane::present
