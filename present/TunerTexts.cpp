// SPDX-License-Identifier: GPL-3.0-or-later
#include "TunerTexts.h"

#include "CellRules.h"
#include "Texts.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace merivane::present {

namespace {

constexpr const char* kCaptions[kTunerReadoutCount] = {
    "Guide Wavelength and Spacing",
    "Load Admittance",
    "Match Status",
    "Power After the Match",
    "Reflection the Magnetron Then Sees",
    "Screw Calibration",
};

// With its decimals kept, "0.0544"; "∞" for the infinite sentinel.
std::string Fixed(double x, int decimals)
{
    if (std::fabs(x) >= kInfinity) return x > 0 ? "\u221e" : "\u2212\u221e";
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, decimals);
    return ec == std::errc() ? std::string(buf, end) : std::string("n/a");
}

std::string Power(double watts, PowerUnit unit) { return PowerCell(watts, unit).WithUnit(); }

// the solver knows the load's admittance unless |G| >= 1
bool AdmittanceKnown(const TMatchResult& r)
{
    return r.Status != kMatchActiveLoad && r.Status != kMatchFullReflection;
}

std::string LineText(const TMatchResult& r)
{
    std::string t;
    if (r.GuideWavelengthMm > 0) t = "\u03bbg " + Fixed(r.GuideWavelengthMm, 2) + " mm";
    if (r.SpacingMm > 0) t += ", stubs " + Fixed(r.SpacingMm, 2) + " mm apart";
    return t;
}

std::string AdmittanceText(const TMatchResult& r)
{
    if (!AdmittanceKnown(r)) return {};
    const double g = r.LoadAdmittance[0], b = r.LoadAdmittance[1];
    return "Load admittance y = " + Fixed(g, 4) + (b < 0 ? " \u2212 j" : " + j") + Fixed(std::fabs(b), 4);
}

std::string StatusText(const TMatchResult& r)
{
    if (r.Matchable) return "Matchable: the settings above match the load.";
    // "Not matchable with capacitive screws.": the status in words as a sentence
    std::string s = MatchStatusText(r.Status);
    if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s + ".";
}

std::string PowerText(const TAfterMatch& a, PowerUnit unit)
{
    std::string t = "Absorbed now " + Power(a.AbsorbedW, unit) + ", with the load matched " +
                    Power(a.MatchedAbsorbedW, unit);
    // no gain to tell when nothing is absorbed now (the gain is then kInfinity)
    if (a.GainDb < kInfinity) t += ": a gain of " + Fixed(a.GainPercent, 1) + " % (" + Fixed(a.GainDb, 2) + " dB)";
    return t + ".";
}

std::string SeenText(const TAfterMatch& a)
{
    // |G| <= 1e-6 after a match: four decimals show it as 0.0000
    return "The magnetron then sees |\u0393| = " + Fixed(a.SeenReflMag, 4) + " (SWR " + SwrStr(a.SeenSwr) + ").";
}

std::string CalibrationText(const std::vector<TScrewPoint>& screws)
{
    if (screws.empty()) return "No screw calibration: the susceptances only.";
    return "Screw calibration: " + std::to_string(screws.size()) + " rows, " + Fixed(screws.front().depthMm, 2) +
           " to " + Fixed(screws.back().depthMm, 2) + " mm.";
}

std::string DepthText(const TScrewSetting& s)
{
    switch (s.kind) {
    case ScrewDepth::Out: return "out";
    case ScrewDepth::Depth: return Fixed(s.depthMm, 2);
    case ScrewDepth::Beyond: return "beyond the table";
    case ScrewDepth::None: break;
    }
    return {};
}

std::vector<std::string> Headers(MatchMethod m, bool withScrews)
{
    switch (m) {
    case MatchMethod::SingleStub: return {"Distance (mm)", "b", "Stub Length (mm)"};
    case MatchMethod::EH: return {"Order", "x (series)", "b (shunt)"};
    case MatchMethod::ThreeStub:
        if (withScrews) return {"b1", "b2", "b3", "Depth 1 (mm)", "Depth 2 (mm)", "Depth 3 (mm)"};
        return {"b1", "b2", "b3"};
    case MatchMethod::DoubleStub:
        if (withScrews) return {"bA", "bB", "Depth A (mm)", "Depth B (mm)"};
        return {"bA", "bB"};
    }
    return {};
}

std::vector<std::string> Cells(const TTunerResult& t, int i, bool withScrews)
{
    const TMatchSolution& s = t.match.Solutions[i];
    switch (t.match.Method) {
    case MatchMethod::SingleStub: return {Fixed(s.DistanceMm, 2), Fixed(s.Susceptance, 4), Fixed(s.StubLengthMm, 2)};
    case MatchMethod::EH: return {s.Order ? s.Order : "", Fixed(s.Reactance, 4), Fixed(s.Susceptance, 4)};
    default: break;
    }
    std::vector<std::string> cells;
    for (int k = 0; k < s.SusceptanceCount; ++k) cells.push_back(Fixed(s.Susceptances[k], 4));
    if (withScrews)
        for (int k = 0; k < s.SusceptanceCount; ++k) cells.push_back(DepthText(t.screws[i][k]));
    return cells;
}

}  // namespace

const char* TunerReadoutCaption(TunerReadout id) { return kCaptions[static_cast<int>(id)]; }

TTunerReadouts TunerReadouts(const TTunerResult& t, const std::vector<TScrewPoint>& screws, PowerUnit unit)
{
    TTunerReadouts r;
    const auto set = [&r](TunerReadout id, std::string text) { r.text[static_cast<int>(id)] = std::move(text); };
    set(TunerReadout::Line, LineText(t.match));
    set(TunerReadout::Admittance, AdmittanceText(t.match));
    set(TunerReadout::Status, StatusText(t.match));
    set(TunerReadout::Power, PowerText(t.after, unit));
    set(TunerReadout::Seen, SeenText(t.after));
    set(TunerReadout::Calibration, CalibrationText(screws));
    return r;
}

TTunerReadouts TunerReadouts(const TSnapshot& s) { return TunerReadouts(s.tuner, s.c.tuner.screws, s.c.display.power); }

TSolutionTable SolutionTable(const TTunerResult& t, bool withScrews)
{
    TSolutionTable table;
    table.headers = Headers(t.match.Method, withScrews);
    for (int i = 0; i < t.match.SolutionCount; ++i) table.rows.push_back(Cells(t, i, withScrews));
    return table;
}

std::string SolutionCaption(int i) { return "Solution " + std::to_string(i + 1); }

TSection TunerSection(const TTunerResult& t, const TTunerInputs& in, PowerUnit unit)
{
    TSection sec{kTunerTitle, {}, {}};
    const auto row = [&sec](std::string caption, std::string text) {
        if (!text.empty()) sec.rows.push_back(TCaseRow{std::move(caption), {TValue{std::move(text), {}}}});
    };
    const TTunerReadouts r = TunerReadouts(t, in.screws, unit);
    const auto readout = [&](TunerReadout id) { row(TunerReadoutCaption(id), r[id]); };
    row("Method", MethodCaption(t.match.Method));
    readout(TunerReadout::Line);
    readout(TunerReadout::Admittance);
    // each solution as the table's row: "b1 0.0000, b2 0.0544, b3 0.9258"
    const TSolutionTable table = SolutionTable(t, !in.screws.empty());
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        std::string text;
        for (std::size_t k = 0; k < table.rows[i].size() && k < table.headers.size(); ++k)
            text += (k ? ", " : "") + table.headers[k] + " " + table.rows[i][k];
        const bool chosen = table.rows.size() > 1 && static_cast<int>(i) == t.solution;
        row(SolutionCaption(static_cast<int>(i)) + (chosen ? " (chosen)" : ""), text);
    }
    readout(TunerReadout::Status);
    readout(TunerReadout::Power);
    readout(TunerReadout::Seen);
    readout(TunerReadout::Calibration);
    return sec;
}

TSection TunerSection(const TSnapshot& s) { return TunerSection(s.tuner, s.c.tuner, s.c.display.power); }

}  // namespace merivane::present
