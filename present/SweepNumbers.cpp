// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweepNumbers.h"

#include "Fields.h"
#include "SweepTexts.h"

#include <cmath>

namespace merivane::present {

namespace {

constexpr const char* kNames[] = {"guide_wavelength_mm", "cutoff_mhz",      "period_mm",
                                  "add_for_max_mm",      "add_for_min_mm",  "phase_spread_deg",
                                  "mean_absorbed_w",     "absorbed_deviation_w",
                                  "absorbed_p2_5_w",     "absorbed_p97_5_w"};

std::optional<double> Finite(bool defined, double v)
{
    if (!defined || !std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace

std::span<const char* const> SweepNumberNames() { return kNames; }

std::vector<std::optional<double>> SweepNumbers(const TSweepResult& r)
{
    // The same conditions as the page's texts (SweepRows): lengths only where
    // a wave propagates, the advice only where Gs Gl is not 0, the spread only
    // where the phase is defined over the whole span. A TEM line has no
    // cut-off.
    const bool mm = r.OverLength;
    return {Finite(mm, r.Guide.wavelengthMm),
            Finite(r.Guide.cutoffMHz > 0, r.Guide.cutoffMHz),
            Finite(mm, r.Period),
            Finite(mm && r.AdviceDefined, r.AddForMax),
            Finite(mm && r.AdviceDefined, r.AddForMin),
            Finite(r.SpreadDefined, r.SpreadDeg),
            Finite(true, r.Stats.Mean),
            Finite(true, r.Stats.Deviation),
            Finite(true, r.Stats.Low),
            Finite(true, r.Stats.High)};
}

void AddSweepReadouts(TExtraRegion& region, const TSweepResult& r, PowerUnit unit)
{
    for (const TSweepRow& row : SweepRows(r, unit)) region.rows.emplace_back(row.name, row.WithUnit());
    const std::string status = SweepStatus(r);
    if (!status.empty()) region.rows.emplace_back("Status", status);
    const std::vector<std::optional<double>> numbers = SweepNumbers(r);
    for (std::size_t i = 0; i < numbers.size(); ++i) region.numbers.emplace_back(kNames[i], numbers[i]);
}

void AppendSweepNumbersCsv(std::string& out, const std::vector<std::optional<double>>& numbers)
{
    for (const std::optional<double>& n : numbers) {
        out += ',';
        if (n) AppendShortest(out, *n);
    }
}

}  // namespace merivane::present
