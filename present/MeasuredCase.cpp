// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeasuredCase.h"

#include "Conversions.h"
#include "EntryReader.h"
#include "Fields.h"
#include "Transmission.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace merivane::present {

namespace {

std::string Mhz(double f) { return LimitText(f); }

// Γ moved to the model's plane with the line as it is at fMHz.
std::complex<double> Shifted(std::complex<double> g, double shiftMm, const TSweepInputs& line, const TGuideInputs& guide,
                             double fMHz)
{
    TSweepInputs there = line;
    there.FreqMHz = fMHz;
    return ShiftedGamma(g, shiftMm, InverseGuideWavelength(there, fMHz), GuideAttenuation(there, guide).NpPerM);
}

}  // namespace

std::complex<double> MeasuredPointAt(const TMeasuredLoad& load, std::size_t k, const TSweepInputs& line,
                                     const TGuideInputs& g)
{
    return Shifted(load.gamma[k], load.planeShiftMm, line, g, load.freqHz[k] / 1e6);
}

std::complex<double> MeasuredLoadAt(const TMeasuredLoad& load, const TSweepInputs& line, const TGuideInputs& g,
                                    double fMHz, bool& inside)
{
    const TMeasuredAt at = MeasuredGammaAt(load, fMHz * 1e6);
    inside = at.inside;
    return Shifted(at.gamma, load.planeShiftMm, line, g, fMHz);
}

TMeasuredResult ComputeMeasured(const TMeasuredLoad& load, const TSweepInputs& line, const TGuideInputs& g)
{
    TMeasuredResult r;
    if (load.freqHz.empty()) return r;
    r.present = true;
    r.frequencyMHz = line.FreqMHz;
    r.gamma = MeasuredLoadAt(load, line, g, line.FreqMHz, r.inside);
    r.clamped = std::abs(r.gamma) > 1.0;
    r.fMinMHz = load.freqHz.front() / 1e6;
    r.fMaxMHz = load.freqHz.back() / 1e6;
    return r;
}

TRefl MeasuredRefl(const TMeasuredResult& r)
{
    TRefl refl;
    SetReflMagnitude(refl, 0, std::min(std::abs(r.gamma), 1.0));
    // the phase in degrees, -180 .. 180; none for no reflection
    refl.Pha = r.gamma == std::complex<double>{} ? 0.0 : std::arg(r.gamma) * 180.0 / std::numbers::pi;
    return refl;
}

std::string MeasuredNote(const TMeasuredLoad& load, const TMeasuredResult& r)
{
    if (!r.present) return {};
    if (!r.inside) {
        const double end = r.frequencyMHz < r.fMinMHz ? r.fMinMHz : r.fMaxMHz;
        return Mhz(r.frequencyMHz) + " MHz is outside the measured " + Mhz(r.fMinMHz) + "\u2013" + Mhz(r.fMaxMHz) +
               " MHz: the load is the one measured at " + Mhz(end) + " MHz";
    }
    std::string note = "Measured in " + load.file + " (port " + std::to_string(load.port) + ") at " +
                       Mhz(r.frequencyMHz) + " MHz";
    if (r.clamped) note += "; its |\u0393| above 1 is taken as 1";
    return note;
}

TBandResult ComputeBand(const TMeasuredLoad& load, const TInputs& inputs, bool ideal, const TSweepInputs& line,
                        const TGuideInputs& g, double halfMHz)
{
    TBandResult band;
    band.halfMHz = halfMHz;
    const double lo = (line.FreqMHz - halfMHz) * 1e6, hi = (line.FreqMHz + halfMHz) * 1e6;
    for (std::size_t k = 0; k < load.freqHz.size(); ++k) {
        if (load.freqHz[k] < lo || load.freqHz[k] > hi) continue;
        TSweepInputs there = line;
        there.FreqMHz = load.freqHz[k] / 1e6;
        TMeasuredResult at;
        at.present = true;
        at.frequencyMHz = there.FreqMHz;
        at.gamma = MeasuredPointAt(load, k, line, g);
        TModel m;
        static_cast<TInputs&>(m) = inputs;
        m.LoaRfl = MeasuredRefl(at);
        CalcCaseModel(m, ideal, there, g);
        band.points.push_back({there.FreqMHz, m.LoaRfl.Mag, m.LoaRfl.Pha, m.Pinc, m.Prefl, m.Pload});
    }
    if (band.points.empty()) return band;
    band.absorbedMinW = band.absorbedMaxW = band.points.front().absorbedW;
    for (const TBandPoint& p : band.points) {
        band.absorbedMinW = std::min(band.absorbedMinW, p.absorbedW);
        band.absorbedMaxW = std::max(band.absorbedMaxW, p.absorbedW);
        if (p.reflectedW > band.reflectedMaxW || band.worstFrequencyMHz == 0) {
            band.reflectedMaxW = p.reflectedW;
            band.worstFrequencyMHz = p.frequencyMHz;
        }
    }
    return band;
}

}  // namespace merivane::present
