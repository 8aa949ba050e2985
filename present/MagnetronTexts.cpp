// SPDX-License-Identifier: GPL-3.0-or-later
#include "MagnetronTexts.h"

#include "CellRules.h"
#include "EngineeringText.h"
#include "MagnetronRows.h"
#include "NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace merivane::present {

namespace {

TCaseRow Row(std::string caption, std::string text, std::string unit = {})
{
    return TCaseRow{std::move(caption), {TValue{std::move(text), std::move(unit)}}};
}

// x to at most decimals decimals in plain digits, a prefix for watts: the
// number and the unit apart, "10", "kW".
TValue Plain(double x, int decimals, std::string unit)
{
    const double ax = std::fabs(x);
    const int whole = ax > 0 && std::isfinite(ax) ? static_cast<int>(std::floor(std::log10(ax))) + 1 : 1;
    const std::string t = EngineeringText(x, std::max(1, whole + decimals), unit);
    const std::size_t blank = t.find(' ');
    if (blank == std::string::npos) return TValue{t, ""};
    return TValue{t.substr(0, blank), t.substr(blank + 1)};
}

// An input of the table: its value, or "not set" at 0.
TCaseRow InputRowOf(TubeInput id, double value)
{
    const TTubeRow& row = TubeRow(id);
    std::string unit = row.unit;
    if (!unit.empty() && unit.front() == ' ') unit.erase(0, 1);
    if (value == 0) return Row(row.name, "not set");
    return TCaseRow{row.name, {Plain(value, row.decimals, unit)}};
}

TValue Power(double watts, PowerUnit unit)
{
    const TCell c = PowerCell(watts, unit);
    return TValue{c.text, c.Caption()};
}

// With its decimals kept, "9.60": a reading, unlike an entry, shows its precision.
std::string Fixed(double x, int decimals)
{
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, decimals);
    return ec == std::errc() ? std::string(buf, end) : FormatReal(x, decimals);
}

}  // namespace

std::string TubeNumber(double x, int decimals, bool defined)
{
    if (!defined || std::isnan(x)) return "n/a";
    if (x >= kInfinity) return "\u221e";
    return Fixed(x, decimals);
}

std::string SignedNumber(double x, int decimals)
{
    if (std::abs(x) >= kInfinity) return x > 0 ? "+\u221e" : "\u2212\u221e";
    const std::string t = Fixed(std::abs(x), decimals);
    if (t.find_first_not_of("0.") == std::string::npos) return t;  // no sign on a zero
    return (x < 0 ? "\u2212" : "+") + t;
}

std::string FrequencyList(const std::vector<double>& mhz)
{
    if (mhz.empty()) return "none";
    std::string t;
    for (double f : mhz) t += (t.empty() ? "" : ", ") + Fixed(f, 2);
    return t + " MHz";
}

std::string MagAndSwr(double mag, double swr)
{
    if (mag >= 1) return "none";
    return "|\u0393| " + Fixed(mag, 4) + " (SWR " + TubeNumber(swr, 3) + ")";
}

std::string LongLineWarning(const TMagnetronResult& r)
{
    if (!r.CanJump()) return {};
    return "The tube can run at " + std::to_string(r.LongLine.FrequenciesMHz.size()) +
           " frequencies on this line and jump between them: shorten the line below the critical length or add an "
           "isolator.";
}

std::string DummyRatingCheck(const TIsolatorResult& r)
{
    if (!r.RatingSet) return {};
    if (!r.WithinRating) return "The dummy load takes more than its rating now.";
    if (!r.MaxWithinRating) return "Within its rating now, above it at the worst phase of the line.";
    return "Within its rating at every phase of the line.";
}

TSection MagnetronSection(const TSnapshot& s)
{
    const TMagnetronSetup& in = s.c.tube.magnetron;
    const TTubeResult& t = s.tube;
    const TMagnetronResult& g = t.magnetron;
    const PowerUnit unit = s.c.display.power;
    TSection sec{kMagnetronTitle, {}, {}};
    auto& rows = sec.rows;
    // f0 and the line's length are the Line Sweep's
    rows.push_back(Row("Frequency f0", Fixed(s.c.line.FreqMHz, 2), "MHz"));
    rows.push_back(TCaseRow{"Line Length", {Plain(s.c.line.LengthM, 6, "m")}});
    rows.push_back(InputRowOf(TubeInput::Pulling, in.pullingMHz));
    if (in.qext > 0) rows.push_back(InputRowOf(TubeInput::Qext, in.qext));
    rows.push_back(Row("Qext", TubeNumber(g.Qext, 3, g.Defined)));
    rows.push_back(Row("Frequency Shift", g.Defined ? SignedNumber(g.ShiftMHz, 2) : "n/a", g.Defined ? "MHz" : ""));
    rows.push_back(Row("Shift over All Phases",
                       g.Defined ? SignedNumber(g.ShiftMinMHz, 2) + " .. " + SignedNumber(g.ShiftMaxMHz, 2) : "n/a",
                       g.Defined ? "MHz" : ""));
    const bool critical = g.Defined && g.CriticalDefined;
    rows.push_back(Row("Critical Length", TubeNumber(g.CriticalLengthM, 3, critical), critical ? "m" : ""));
    const bool running = g.Defined && g.LongLine.Defined;
    rows.push_back(Row("Running Frequencies", running ? FrequencyList(g.LongLine.FrequenciesMHz) : "n/a"));
    if (g.CanJump()) rows.push_back(Row(kLongLineCaption, LongLineWarning(g)));
    rows.push_back(InputRowOf(TubeInput::Isolation, in.isolationDb));
    rows.push_back(Row("Magnetron SWR Max", TubeNumber(t.isolator.MagnetronSwrMax, 3)));
    if (in.isolationDb > 0) {
        rows.push_back(TCaseRow{"Dummy Load", {Power(t.isolator.DummyLoadW, unit)}});
        rows.push_back(TCaseRow{"Dummy Load Max", {Power(t.isolator.DummyLoadMaxW, unit)}});
    }
    rows.push_back(InputRowOf(TubeInput::DummyRating, in.dummyRatingW));
    // without an isolator there is no dummy load to check
    if (in.isolationDb > 0 && t.isolator.RatingSet)
        rows.push_back(Row(kRatingCheckCaption, DummyRatingCheck(t.isolator)));
    return sec;
}

TSection MeasurementSection(const TSnapshot& s)
{
    const TMeasurementSetup& in = s.c.tube.measurement;
    const TTubeResult& t = s.tube;
    const TUncertainty& u = t.uncertainty;
    TSection sec{kMeasurementTitle, {}, {}};
    auto& rows = sec.rows;
    rows.push_back(Row("Leak Phase Model", LeakPhaseModelName(in.phaseModel)));
    rows.push_back(InputRowOf(TubeInput::Coupling, in.couplingPct));
    rows.push_back(InputRowOf(TubeInput::Sensor, in.sensorPct));
    const auto pct = [&](const char* caption, double v) {
        rows.push_back(Row(caption, TubeNumber(v, 3, u.Defined), u.Defined ? "%" : ""));
    };
    pct("Directivity Component", u.DirectivityPct);
    pct("Coupling Component", u.CouplingPct);
    pct("Sensor Component", u.SensorPct);
    pct("Combined Uncertainty", u.CombinedPct);
    pct("Expanded Uncertainty (k = 2)", u.ExpandedPct);
    rows.push_back(Row("Worst-Case Bounds",
                       u.Defined ? SignedNumber(u.WorstLowPct, 3) + " .. " + SignedNumber(u.WorstHighPct, 3) : "n/a",
                       u.Defined ? "%" : ""));
    rows.push_back(InputRowOf(TubeInput::Trip, in.tripPct));
    if (in.tripPct > 0 && t.trip.Defined) {
        rows.push_back(Row("Trip Surely Above", MagAndSwr(t.trip.SureAboveMag, t.trip.SureAboveSwr)));
        rows.push_back(Row("Trip Never Below", MagAndSwr(t.trip.NeverBelowMag, t.trip.NeverBelowSwr)));
    }
    rows.push_back(InputRowOf(TubeInput::WaterFlow, in.waterFlowLpm));
    rows.push_back(InputRowOf(TubeInput::WaterRise, in.waterRiseK));
    const TCalorimetry& w = t.calorimetry;
    if (w.PowerW > 0) {
        rows.push_back(TCaseRow{"Water Load Power", {Power(w.PowerW, s.c.display.power)}});
        rows.push_back(TCaseRow{"Model Absorbed Power", {Power(s.m.Pload, s.c.display.power)}});
        rows.push_back(Row("Water Load vs Model", w.DifferenceDefined ? SignedNumber(w.DifferenceDb, 2) : "n/a",
                           w.DifferenceDefined ? "dB" : ""));
    }
    return sec;
}

std::vector<TSection> TubeSections(const TSnapshot& s)
{
    std::vector<TSection> out;
    const TTubeCase d = DefaultTubeCase();
    TTubeCase onlyMagnetron = d, onlyMeasurement = d;
    onlyMagnetron.magnetron = s.c.tube.magnetron;
    onlyMeasurement.measurement = s.c.tube.measurement;
    if (onlyMagnetron != d) out.push_back(MagnetronSection(s));
    if (onlyMeasurement != d) out.push_back(MeasurementSection(s));
    return out;
}

std::vector<TCaseRow> MagnetronResultRows(const TSnapshot& s)
{
    std::vector<TCaseRow> out;
    for (const TCaseRow& row : MagnetronSection(s).rows) {
        bool shownElsewhere = row.caption == kLongLineCaption || row.caption == kRatingCheckCaption;
        for (TubeInput id : {TubeInput::Pulling, TubeInput::Qext, TubeInput::Isolation, TubeInput::DummyRating})
            shownElsewhere = shownElsewhere || row.caption == TubeRow(id).name;
        if (!shownElsewhere) out.push_back(row);
    }
    return out;
}

std::vector<TCaseRow> UncertaintyBudgetRows(const TSnapshot& s)
{
    const TUncertainty& u = s.tube.uncertainty;
    const bool d = u.Defined;
    const PowerUnit unit = s.c.display.power;
    const TValue none{"", ""};
    const auto pct = [d](double v) { return TValue{TubeNumber(v, 3, d), d ? "%" : ""}; };
    const auto sign = [d](double v) { return TValue{d ? SignedNumber(v, 3) : "n/a", d ? "%" : ""}; };
    const auto power = [d, unit](double watts) { return d ? Power(watts, unit) : TValue{"n/a", ""}; };
    return {
        {"Directivity (leaks)", {pct(u.DirectivityPct), none}},
        {"Coupling factors", {pct(u.CouplingPct), none}},
        {"Power sensors", {pct(u.SensorPct), none}},
        {"Combined, k = 1", {pct(u.CombinedPct), power(u.CombinedW)}},
        {"Expanded U, k = 2", {pct(u.ExpandedPct), power(u.ExpandedW)}},
        {"Worst case, low", {sign(u.WorstLowPct), power(s.m.PloadMinV)}},
        {"Worst case, high", {sign(u.WorstHighPct), power(s.m.PloadMaxV)}},
    };
}

std::vector<TCaseRow> TripAndWaterRows(const TSnapshot& s)
{
    std::vector<TCaseRow> out;
    for (const TCaseRow& row : MeasurementSection(s).rows) {
        const bool trip = row.caption.rfind("Trip ", 0) == 0 && row.caption != TubeRow(TubeInput::Trip).name;
        const bool water = row.caption == "Water Load Power" || row.caption == "Model Absorbed Power" ||
                           row.caption == "Water Load vs Model";
        if (trip || water) out.push_back(row);
    }
    return out;
}

namespace {

struct TResultTip {
    const char* caption;
    const char* tip;
};

// The texts are UTF-8; a line break is "\n".
const TResultTip kResultTips[] = {
    {"Frequency f0", "The operating frequency, in MHz: the Line Sweep's."},
    {"Line Length", "The length of the line from the tube to the load, in m: the Line Sweep's."},
    {"Qext", "The tube's external Q, no unit: 0.41667·f0 / pulling figure, or the one given."},
    {"Frequency Shift", "How far the load pulls the tube's frequency at its present phase, in MHz:\n"
                        "df = −f0·b / (2·Qext), b the load's susceptance as the tube sees it."},
    {"Shift over All Phases", "The lowest and the highest shift, in MHz, while the load's phase goes through a turn."},
    {"Critical Length", "The length of line, in m, beyond which the tube can run at more than one frequency."},
    {"Running Frequencies", "Every frequency, in MHz, at which the tube can run on this line with this load."},
    {kLongLineCaption, "The tube can run at more than one frequency on this line and jump between them."},
    {"Magnetron SWR Max", "The highest SWR the tube sees through the isolator, at the worst phase of the line; no unit."},
    {"Dummy Load", "The power the isolator's dummy load takes now, the reflected power, in the power unit."},
    {"Dummy Load Max", "The power the dummy load takes at the worst phase of the line, in the power unit."},
    {kRatingCheckCaption, "The dummy load's power against its rating, now and at the worst phase of the line."},
    {"Directivity (leaks)", "The absorbed power's standard uncertainty from the couplers' leaks, in %,\n"
                            "after the leak phase model."},
    {"Coupling factors", "The absorbed power's standard uncertainty from the coupling factors, in %."},
    {"Power sensors", "The absorbed power's standard uncertainty from the power sensors, in %."},
    {"Combined, k = 1", "The combined standard uncertainty of the absorbed power, the root sum of squares\n"
                        "of the components: in % and in the power unit."},
    {"Expanded U, k = 2", "Twice the combined uncertainty, about 95 % coverage: in % and in the power unit."},
    {"Worst case, low", "The lowest absorbed power the couplers' readings can give, whatever the leaks' phase\n"
                        "(the Power Meas page's): in % from the true value and in the power unit."},
    {"Worst case, high", "The highest absorbed power the couplers' readings can give, whatever the leaks' phase\n"
                         "(the Power Meas page's): in % from the true value and in the power unit."},
    {"Trip Surely Above", "The load reflection |Γ|, with its SWR, above which the trip fires whatever the leaks' phase;\n"
                          "no unit. \"none\" when no load reaches it."},
    {"Trip Never Below", "The load reflection |Γ|, with its SWR, below which the trip never fires; no unit."},
    {"Water Load Power", "The power the cooling water takes, density × specific heat × flow × rise,\n"
                         "in the power unit."},
    {"Model Absorbed Power", "The absorbed power of the case as the model computes it, in the power unit."},
    {"Water Load vs Model", "10·log10 of the water load's power over the model's, in dB: above 0 the water took more."},
};

}  // namespace

const char* TubeResultTip(std::string_view caption)
{
    for (const TResultTip& t : kResultTips)
        if (caption == t.caption) return t.tip;
    return nullptr;
}

}  // namespace merivane::present
