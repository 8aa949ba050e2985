// SPDX-License-Identifier: GPL-3.0-or-later
// The readouts of the "Line Sweep" page as numbers, for data: the export's
// JSON "sweep" object and CSV columns, merivane-calc's JSON and its batch
// columns. A readout the page shows as "n/a" (or "any length") has no number.
#pragma once

#include "Case.h"
#include "Display.h"
#include "LineSweep.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace merivane::present {

// "guide_wavelength_mm", "cutoff_mhz", "period_mm", "add_for_max_mm",
// "add_for_min_mm", "phase_spread_deg", "mean_absorbed_w",
// "absorbed_deviation_w", "absorbed_p2_5_w", "absorbed_p97_5_w".
std::span<const char* const> SweepNumberNames();

// The numbers in the order of SweepNumberNames(); empty where the page has
// none, and where the value is not finite (JSON has no infinity).
std::vector<std::optional<double>> SweepNumbers(const TSweepResult& r);

// The page's readouts as a region's rows (each with its unit), the status line
// when there is one, and the numbers.
void AddSweepReadouts(TExtraRegion& region, const TSweepResult& r, PowerUnit unit);

// The numbers as CSV cells, each after a comma; an empty cell for none.
void AppendSweepNumbersCsv(std::string& out, const std::vector<std::optional<double>>& numbers);

}  // namespace merivane::present
