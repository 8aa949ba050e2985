// SPDX-License-Identifier: GPL-3.0-or-later
#include "Process.h"

#include "CaseModel.h"
#include "EntryReader.h"
#include "MeasuredTexts.h"
#include "NumberText.h"
#include "Transmission.h"
#include "WaterLoad.h"

#include <algorithm>
#include <cmath>

namespace merivane::present {

namespace {

struct TPoint {
    std::string name;
    double frequencyMHz;
    cplx gamma;
    int setLoad = -1;  // the set's load it is of
};

// The set's points in order: a typed load at the case's frequency, a
// measured one at each of its points within the band; without a set, the
// case's measured load's band points, named by frequency.
std::vector<TPoint> Points(const TSnapshot& s)
{
    std::vector<TPoint> out;
    const double f0 = s.c.line.FreqMHz, caseHalf = BandHalfMHz(s);
    // a measured set load's own half-width where it has one, else the case's
    const auto band = [&](const TMeasuredLoad& load, const std::string& name, int setLoad) {
        const double half = load.bandHalfMHz > 0 ? load.bandHalfMHz : caseHalf;
        for (std::size_t k = 0; k < load.freqHz.size(); ++k) {
            const double f = load.freqHz[k] / 1e6;
            if (f < f0 - half || f > f0 + half) continue;
            const std::string at = FormatReal(f, 3) + " MHz";
            out.push_back(
                {name.empty() ? at : name + " at " + at, f, MeasuredPointAt(load, k, s.c.line, s.c.guide), setLoad});
        }
    };
    if (s.c.loadSet.empty()) {
        if (s.c.measured) band(*s.c.measured, {}, -1);
        return out;
    }
    for (std::size_t i = 0; i < s.c.loadSet.size(); ++i) {
        const TSetLoad& l = s.c.loadSet[i];
        const int index = static_cast<int>(i);
        if (l.measured) band(*l.measured, l.name, index);
        else out.push_back({l.name, f0, LoadReflection(l.refl.Mag, l.refl.Pha), index});
    }
    return out;
}

// Incident, reflected and absorbed power with the magnetron seeing gamma, on the case's line.
TModel WithLoad(const TSnapshot& s, cplx gamma)
{
    TModel m = s.m;
    m.LoaRfl.Mag = std::abs(gamma);
    m.LoaRfl.Pha = gamma == cplx{} ? 0.0 : std::arg(gamma) * 180 / 3.14159265358979323846;
    CalcTransmission(m, s.c.ideal, CaseLinePass(s.c.line, s.c.guide));
    return m;
}

TProcessEnvelope Envelope(const TSnapshot& s, const std::vector<TProcessLoad>& loads, double worstMag)
{
    TProcessEnvelope e;
    e.absorbedMinW = e.absorbedMaxW = loads.front().absorbedW;
    for (const TProcessLoad& l : loads) {
        e.absorbedMinW = std::min(e.absorbedMinW, l.absorbedW);
        e.absorbedMaxW = std::max(e.absorbedMaxW, l.absorbedW);
        e.reflectedMaxW = std::max(e.reflectedMaxW, l.reflectedW);
    }
    // the trip compares reflected with forward power: |Γin|² against its ratio
    const double trip = s.c.tube.measurement.tripPct / 100;
    if (trip > 0 && worstMag > 0) e.tripMarginDb = 10 * std::log10(trip / (worstMag * worstMag));
    const double rating = s.c.tube.magnetron.dummyRatingW;
    if (rating > 0 && e.reflectedMaxW > 0) e.dummyMarginDb = 10 * std::log10(rating / e.reflectedMaxW);
    // Q = P / (rho c_p dT): the water load's flow for the worst reflected power
    const double rise = s.c.tube.measurement.waterRiseK;
    if (rise > 0) e.waterFlowLpm = e.reflectedMaxW / WaterLoadPowerW(1.0, rise);
    return e;
}

// The robust setting over the points, each load's |Γin| and powers after it.
void Robust(const TSnapshot& s, const std::vector<TPoint>& points, const std::vector<TRobustPoint>& at,
            TProcessResult& out)
{
    // the nominal setting: the match of the first load alone, at its frequency
    const TMatchResult nominal = SolveMatch(out.method, s.c.line, points.front().gamma, s.c.tuner.spacingMm);
    out.spacingMm = nominal.SpacingMm;
    // the E-H tuner's match needs no wavelength and gives none: the line's at the case's frequency
    out.guideWavelengthMm =
        nominal.GuideWavelengthMm > 0 ? nominal.GuideWavelengthMm : GuideAt(s.c.line, s.c.line.FreqMHz).wavelengthMm;
    TMatchSolution none;  // no tuner at all where the nominal load cannot be matched
    none.SusceptanceCount = out.method == MatchMethod::ThreeStub ? 3 : out.method == MatchMethod::DoubleStub ? 2 : 0;
    none.Order = kSeriesThenShunt;
    const int chosen = std::clamp(s.c.tuner.solution, 0, std::max(0, nominal.SolutionCount - 1));
    const TMatchSolution start = nominal.Matchable ? nominal.Solutions[chosen] : none;
    // the points' own matches as starts: every point's, or of a long band 32 spread evenly over it
    constexpr std::size_t kStarts = 32;
    std::vector<TMatchSolution> starts;
    const std::size_t every = std::max<std::size_t>(1, points.size() / kStarts);
    for (std::size_t i = 0; i < points.size(); i += every) {
        const TMatchResult own = SolveMatch(out.method, s.c.line, points[i].gamma, s.c.tuner.spacingMm);
        for (int k = 0; k < own.SolutionCount; ++k) starts.push_back(own.Solutions[k]);
    }
    out.robust = SolveRobust(out.method, out.spacingMm, at, start, starts);
    if (!out.robust.solved) return;
    TMatchSolution& robust = out.robust.robust.setting;
    if (out.method == MatchMethod::SingleStub)
        robust.StubLengthMm = ShortedStubLengthMm(robust.Susceptance, out.guideWavelengthMm);
    const std::vector<TScrewPoint>& table = s.c.tuner.screws;
    if (robust.SusceptanceCount > 0)
        for (int k = 0; k < robust.SusceptanceCount; ++k) out.screws[k] = ScrewSettingFor(table, robust.Susceptances[k]);
    else
        out.screws[0] = ScrewSettingFor(table, robust.Susceptance);
    for (std::size_t i = 0; i < points.size(); ++i) {
        TProcessLoad& l = out.loads[i];
        l.gammaMagAfter = InputReflectionAt(out.method, out.spacingMm, out.robust.robust.setting, at[i]);
        // the powers with the Γin the tuner leaves, phase and all
        TMatchResult r;
        r.Method = out.method;
        r.GuideWavelengthMm = at[i].guideWavelengthMm;
        r.SpacingMm = out.spacingMm;
        const TModel with = WithLoad(s, AppliedReflection(r, out.robust.robust.setting, points[i].gamma));
        l.reflectedW = with.Prefl;
        l.absorbedW = with.Pload;
    }
    out.worstLoad = points[out.robust.robust.worstPoint].name;
    out.worstFrequencyMHz = points[out.robust.robust.worstPoint].frequencyMHz;
    out.nominalWorstLoad = points[out.robust.nominal.worstPoint].name;
    out.nominalWorstFrequencyMHz = points[out.robust.nominal.worstPoint].frequencyMHz;
}

}  // namespace

TProcessResult ComputeProcess(const TSnapshot& s)
{
    TProcessResult out;
    if (s.c.loadSet.empty() && !s.c.robust) return out;
    const std::vector<TPoint> points = Points(s);
    if (points.empty()) return out;
    out.present = true;
    out.method = s.c.tuner.method;
    std::vector<TRobustPoint> at;
    for (const TPoint& p : points) {
        const TModel before = WithLoad(s, p.gamma);
        const double mag = std::abs(p.gamma);
        // without the robust setting the loads are as they stand: after = before
        out.loads.push_back({p.name, p.frequencyMHz, p.gamma, p.setLoad, mag, mag, before.Prefl, before.Pload, before.Prefl, before.Pload});
        at.push_back({p.gamma, GuideAt(s.c.line, p.frequencyMHz).wavelengthMm});
    }
    if (s.c.robust) Robust(s, points, at, out);
    double worst = 0;
    for (const TProcessLoad& l : out.loads) worst = std::max(worst, l.gammaMagAfter);
    out.envelope = Envelope(s, out.loads, worst);
    return out;
}

}  // namespace merivane::present
