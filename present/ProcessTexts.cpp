// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessTexts.h"

#include "CellRules.h"
#include "Conversions.h"
#include "NumberText.h"
#include "Texts.h"
#include "TunerInput.h"

#include <cmath>

namespace merivane::present {

namespace {

constexpr const char* kColumns[kProcessColumns] = {"|\u0393l|",         "|\u0393in|", "Reflected, no tuner",
                                                   "Reflected",         "Absorbed, no tuner", "Absorbed"};

std::string F(double v, int decimals) { return FormatReal(v + 0.0, decimals); }

std::string Depth(const TScrewSetting& s)
{
    switch (s.kind) {
    case ScrewDepth::Out: return "out";
    case ScrewDepth::Depth: return F(s.depthMm, 2) + " mm";
    case ScrewDepth::Beyond: return "beyond the table";
    case ScrewDepth::None: break;
    }
    return {};
}

std::string Power(double w, PowerUnit unit) { return PowerCell(w, unit).WithUnit(); }

}  // namespace

const char* ProcessColumnCaption(int column) { return column >= 0 && column < kProcessColumns ? kColumns[column] : ""; }

std::string ProcessCell(const TProcessLoad& l, int column, PowerUnit unit)
{
    switch (column) {
    case 0: return MagnitudeText(l.gammaMagBefore);
    case 1: return MagnitudeText(l.gammaMagAfter);
    case 2: return Power(l.reflectedBeforeW, unit);
    case 3: return Power(l.reflectedW, unit);
    case 4: return Power(l.absorbedBeforeW, unit);
    case 5: return Power(l.absorbedW, unit);
    default: return {};
    }
}

std::string RobustSettingText(const TProcessResult& p)
{
    const TMatchSolution& s = p.robust.robust.setting;
    std::string o;
    switch (p.method) {
    case MatchMethod::ThreeStub:
    case MatchMethod::DoubleStub: {
        const char* names[2][3] = {{"b1", "b2", "b3"}, {"bA", "bB", ""}};
        const int row = p.method == MatchMethod::ThreeStub ? 0 : 1;
        for (int k = 0; k < s.SusceptanceCount; ++k)
            o += (k ? ", " : "") + std::string(names[row][k]) + " " + F(s.Susceptances[k], 4);
        if (p.screws[0].kind != ScrewDepth::None) {
            o += "; depths ";
            for (int k = 0; k < s.SusceptanceCount; ++k) o += (k ? ", " : "") + Depth(p.screws[k]);
        }
        return o;
    }
    case MatchMethod::EH:
        o = s.Order ? s.Order : kSeriesThenShunt;  // "series then shunt", counted from the load
        for (char& c : o)
            if (c == '-') c = ' ';
        return o + ": x " + F(s.Reactance, 4) + ", b " + F(s.Susceptance, 4);
    case MatchMethod::SingleStub:
        o = "d " + F(s.DistanceMm, 2) + " mm, b " + F(s.Susceptance, 4) + ", stub " + F(s.StubLengthMm, 2) + " mm";
        if (p.screws[0].kind != ScrewDepth::None) o += "; depth " + Depth(p.screws[0]);
        return o;
    }
    return o;
}

std::string WorstText(double worstMag, const std::string& load, double frequencyMHz)
{
    // a band point's name holds its frequency already: "frozen at 2450 MHz", "2450 MHz"
    const bool named = load.size() >= 4 && load.compare(load.size() - 4, 4, " MHz") == 0;
    return "|\u0393in| " + MagnitudeText(worstMag) + " (SWR " + F(MagToSwr(worstMag), 3) + ") at " + load +
           (named ? std::string() : ", " + FormatReal3(frequencyMHz) + " MHz");
}

std::vector<std::pair<std::string, std::string>> ProcessSummary(const TSnapshot& s)
{
    const TProcessResult& p = s.process;
    std::vector<std::pair<std::string, std::string>> rows;
    if (!p.present) return rows;
    const PowerUnit unit = s.c.display.power;
    rows.emplace_back("Points", std::to_string(p.loads.size()) + (s.c.loadSet.empty() ? " of the measured band" : ""));
    if (p.robust.solved) {
        rows.emplace_back("Robust setting", std::string(MethodCaption(p.method)) + ": " + RobustSettingText(p));
        rows.emplace_back("Worst, robust", WorstText(p.robust.robust.worstMag, p.worstLoad, p.worstFrequencyMHz));
        rows.emplace_back("Worst, nominal setting",
                          WorstText(p.robust.nominal.worstMag, p.nominalWorstLoad, p.nominalWorstFrequencyMHz));
    } else if (s.c.robust) {
        rows.emplace_back("Robust setting", "none: a point has no guide wavelength at its frequency");
    }
    const TProcessEnvelope& e = p.envelope;
    rows.emplace_back("Absorbed", Power(e.absorbedMinW, unit) + " \u2026 " + Power(e.absorbedMaxW, unit));
    rows.emplace_back("Reflected, at most", Power(e.reflectedMaxW, unit));
    const auto margin = [](const std::optional<double>& db) {
        return db ? (*db >= 0 ? "+" : "\u2212") + F(std::fabs(*db), 2) + " dB" : std::string("not set");
    };
    rows.emplace_back("Trip margin", margin(e.tripMarginDb));
    rows.emplace_back("Dummy load margin", margin(e.dummyMarginDb));
    rows.emplace_back("Water flow for it", e.waterFlowLpm ? F(*e.waterFlowLpm, 2) + " l/min" : std::string("not set"));
    return rows;
}

std::vector<TSection> ProcessSections(const TSnapshot& s)
{
    if (!s.process.present) return {};
    TSection head{"Process", {}, {}};
    for (auto& [caption, text] : ProcessSummary(s)) head.rows.push_back(TCaseRow{caption, {TValue{text, {}}}});
    TSection loads{"Process Loads", {}, {}};
    for (int c = 0; c < kProcessColumns; ++c) loads.columns.push_back(kColumns[c]);
    for (const TProcessLoad& l : s.process.loads) {
        TCaseRow r{l.name, {}};
        for (int c = 0; c < kProcessColumns; ++c) r.values.push_back(TValue{ProcessCell(l, c, s.c.display.power), {}});
        loads.rows.push_back(std::move(r));
    }
    return {head, loads};
}

}  // namespace merivane::present
