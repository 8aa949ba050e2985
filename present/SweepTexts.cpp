// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweepTexts.h"

#include "CellRules.h"
#include "Conversions.h"
#include "Texts.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace merivane::present {

namespace {

using ext = long double;

const char* const kDegree = "\u00b0";

TSweepRow Row(std::string name, std::string unit, std::string text)
{
    TSweepRow r;
    r.caption = unit.empty() ? name : name + " (" + unit + ")";
    r.name = std::move(name);
    r.unit = std::move(unit);
    r.text = std::move(text);
    return r;
}

TSweepRow PowerRow(std::string name, double watts, PowerUnit unit)
{
    const TCell c = PowerCell(watts, unit);
    return Row(std::move(name), UnitCaption(c.unit), c.text);
}

// Both ends of an interval in one unit: when one end reads in kW, so does the
// other, which would read in W below 1000 W.
TSweepRow IntervalRow(std::string name, double low, double high, PowerUnit unit)
{
    TCell lo = PowerCell(low, unit), hi = PowerCell(high, unit);
    const auto inKw = [](TCell& c, double watts) {
        c.text = Fixed(static_cast<double>(static_cast<ext>(watts) / 1000), 2);
        c.unit = Unit::kW;
    };
    if (lo.unit == Unit::W && hi.unit == Unit::kW) inKw(lo, low);
    if (hi.unit == Unit::W && lo.unit == Unit::kW) inKw(hi, high);
    return Row(std::move(name), UnitCaption(hi.unit), lo.text + " .. " + hi.text);
}

std::string Length(bool defined, double mm) { return defined ? Fixed(mm, 2) : kNotApplicable; }

}  // namespace

std::string TSweepRow::WithUnit() const
{
    if (unit.empty() || text == kNotApplicable || text == kAnyLength) return text;
    return text + " " + unit;
}

std::vector<TSweepRow> SweepRows(const TSweepResult& r, PowerUnit unit)
{
    const bool mm = r.OverLength;
    const auto advice = [&](double x) { return !mm ? std::string(kNotApplicable) : r.AdviceDefined ? Fixed(x, 2) : kAnyLength; };
    std::vector<TSweepRow> rows;
    rows.reserve(8);
    rows.push_back(Row("Guide Wavelength", "mm", Length(mm, r.Guide.wavelengthMm)));
    rows.push_back(Row("Length per Period", "mm", Length(mm, r.Period)));
    rows.push_back(Row("Add for Maximum", "mm", advice(r.AddForMax)));
    rows.push_back(Row("Add for Minimum", "mm", advice(r.AddForMin)));
    rows.push_back(Row("Phase Spread", kDegree, r.SpreadDefined ? Fixed(r.SpreadDeg, 2) : kNotApplicable));
    rows.push_back(PowerRow("Mean Absorbed Power", r.Stats.Mean, unit));
    rows.push_back(PowerRow("Absorbed Power Deviation", r.Stats.Deviation, PowerUnit::Watts));
    rows.push_back(IntervalRow("Absorbed Power 95 % Interval", r.Stats.Low, r.Stats.High, unit));
    return rows;
}

std::string FrequencyText(double mhz)
{
    if (std::fabs(mhz) < 9999.995) return Fixed(mhz, 2) + " MHz";
    // 4 significant digits: 10.00 .. 99.99 GHz with 2 decimals, 100.0 .. 999.9 with 1
    const double ghz = static_cast<double>(static_cast<ext>(mhz) / 1000);
    const int whole = static_cast<int>(std::floor(std::log10(std::fabs(ghz)))) + 1;
    return Fixed(ghz, std::max(1, 4 - whole)) + " GHz";
}

std::string MultimodeWarning(const TSweepResult& r)
{
    if (!r.Multimode) return {};
    return "more than one mode propagates above " + FrequencyText(r.NextModeMHz);
}

std::string SweepStatus(const TSweepResult& r)
{
    if (!r.Guide.propagates) {
        if (!(r.Guide.cutoffMHz > 0)) return {};  // no line given: the sweep runs over the phase
        return "Below cut-off (fc = " + FrequencyText(r.Guide.cutoffMHz) + "): no wave propagates";
    }
    std::string s;
    if (r.SpanBelowCutoff)
        s = "f \u2212 \u0394f is below cut-off (fc = " + FrequencyText(r.Guide.cutoffMHz) + "): no phase spread";
    else if (r.PhaseRandom)
        s = std::string("Spread \u2265 360") + kDegree + ": phase effectively random";
    const std::string modes = MultimodeWarning(r);
    if (modes.empty()) return s;
    if (s.empty()) return static_cast<char>(std::toupper(static_cast<unsigned char>(modes[0]))) + modes.substr(1);
    return s + "; " + modes;
}

std::string RandomPhaseLine(const TSweepResult& r, PowerUnit unit)
{
    const std::vector<TSweepRow> rows = SweepRows(r, unit);
    return "Random phase: mean " + rows[5].WithUnit() + ", deviation " + rows[6].WithUnit() + ", 95 % interval " +
           rows[7].WithUnit();
}

std::string SweepSummary(const TSweepInputs& in, const TSweepResult& r)
{
    const auto adds = [&](const char* unit) {
        if (!r.AdviceDefined) return std::string(in.LineKnown ? "any length" : "any phase") + " gives the same power";
        return "add " + Fixed(r.AddForMax, 2) + unit + " for the maximum, " + Fixed(r.AddForMin, 2) + unit +
               " for the minimum";
    };
    // the status in the middle of the line
    const auto status = [&r] {
        std::string t = SweepStatus(r);
        if (t.rfind("Below", 0) == 0) t[0] = 'b';
        return t;
    };
    if (!in.LineKnown) return "Line Sweep over the round-trip phase: " + adds(kDegree);
    std::string s = std::string("Line Sweep: ") + LineTypeSpec(in.Line).name + " at " + Fixed(in.FreqMHz, 2) + " MHz";
    if (!r.Guide.propagates) return s + "; " + status();
    s += ", \u03bbg = " + Fixed(r.Guide.wavelengthMm, 2) + " mm; " + adds(" mm");
    if (r.SpanBelowCutoff) return s + "; " + status();
    if (r.Multimode) s += "; " + MultimodeWarning(r);
    // a spread only for a line and a span given
    if (r.SpreadDefined && in.LengthM > 0 && in.SpanMHz > 0) {
        s += "; phase spread " + Fixed(r.SpreadDeg, 2) + kDegree + " over " + Fixed(in.LengthM, 2) + " m at \u00b1" +
             Fixed(in.SpanMHz, 2) + " MHz";
        if (r.PhaseRandom) s += ", phase effectively random";
    }
    return s;
}

TPowerAxis PowerAxisFor(double largestWatts, PowerUnit unit)
{
    TPowerAxis a;
    switch (unit) {
    case PowerUnit::Dbm: a = {Unit::dBm, true, 1e-3}; break;
    case PowerUnit::DbW: a = {Unit::dBW, true, 1.0}; break;
    case PowerUnit::DbkW: a = {Unit::dBkW, true, 1e3}; break;
    case PowerUnit::Watts:
    case PowerUnit::None:
        if (std::fabs(largestWatts) >= 1000) a = {Unit::kW, false, 1e3};
        break;
    }
    return a;
}

double AxisValue(const TPowerAxis& axis, double watts)
{
    if (!axis.decibel) return static_cast<double>(static_cast<ext>(watts) / axis.scale);
    const double ratio = static_cast<double>(static_cast<ext>(watts) / axis.scale);
    if (!(ratio > 1e-16)) return std::numeric_limits<double>::quiet_NaN();
    return RatioToDb(ratio);
}

std::string PowerAxisTitle(const TPowerAxis& axis) { return std::string("Power (") + UnitCaption(axis.unit) + ")"; }

std::string LengthAxisTitle(bool overLength)
{
    return overLength ? "Added length (mm)" : std::string("Round-trip phase change (") + kDegree + ")";
}

std::string SeriesName(SweepSeries s)
{
    switch (s) {
    case SweepSeries::Absorbed: return "Absorbed";
    case SweepSeries::Incident: return "Incident";
    case SweepSeries::Reflected: return "Reflected";
    case SweepSeries::CouplerBand: return "Coupler bounds";
    case SweepSeries::PullingBand: return "Frequency span";
    case SweepSeries::Present: return "Present set-up";
    case SweepSeries::MinAbsorbed: return "Min absorbed";
    case SweepSeries::MaxAbsorbed: return "Max absorbed";
    case SweepSeries::PulledFrequency: return "Pulled frequency";
    }
    return {};
}

std::string PointText(double x, bool overLength, const TSweepPoint& p, PowerUnit unit, bool ideal)
{
    const auto power = [unit](double w) { return PowerCell(w, unit).WithUnit(); };
    std::string t = (overLength ? "d = " + Fixed(x, 2) + " mm" : "Phase change " + Fixed(x, 2) + kDegree) + "\n";
    t += "Absorbed " + power(p.Pload) + "\n";
    t += "Incident " + power(p.Pinc) + "\n";
    t += "Reflected " + power(p.Prefl);
    if (!ideal) {
        const TSweepRow band = IntervalRow("", p.PloadMinV, p.PloadMaxV, unit);
        t += "\nCoupler bounds " + band.text + " " + band.unit;
    }
    return t;
}

}  // namespace merivane::present
