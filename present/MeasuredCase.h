// SPDX-License-Identifier: GPL-3.0-or-later
// A case's load taken from a measurement: the Γ the model uses at the case's
// frequency (the Line Sweep's), what the note says of it, and the band of
// measured points around that frequency with the powers at each.
#pragma once

#include "GuideInputs.h"
#include "LineSweep.h"
#include "MeasuredLoad.h"
#include "Model.h"

#include <complex>
#include <string>
#include <vector>

namespace merivane::present {

struct TMeasuredResult {
    bool present = false;          // the case has a measured load
    double frequencyMHz = 0.0;     // where it is taken: the case's frequency
    std::complex<double> gamma;    // at the model's load plane, after the plane shift
    bool inside = true;            // the frequency lies within the measured band
    bool clamped = false;          // |Γ| above 1 (a measurement's error) was taken as 1
    double fMinMHz = 0.0, fMaxMHz = 0.0;  // the measured band
    bool operator==(const TMeasuredResult&) const = default;
};

// Γ of the measurement at the model's load plane at f (the plane shift with
// the line's λg and attenuation at f). inside as MeasuredGammaAt gives it.
std::complex<double> MeasuredLoadAt(const TMeasuredLoad& load, const TSweepInputs& line, const TGuideInputs& g,
                                    double fMHz, bool& inside);

// Point k of the measurement at the model's load plane, at its own frequency.
std::complex<double> MeasuredPointAt(const TMeasuredLoad& load, std::size_t k, const TSweepInputs& line,
                                     const TGuideInputs& g);

// The measurement at the case's frequency; nothing present without one.
TMeasuredResult ComputeMeasured(const TMeasuredLoad& load, const TSweepInputs& line, const TGuideInputs& g);

// The load reflection the model takes from r: its magnitude (at most 1) and
// phase in degrees, every representation set.
TRefl MeasuredRefl(const TMeasuredResult& r);

// "measured in load.s1p at 2450 MHz", or "2600 MHz is outside the measured
// 2400–2500 MHz: the load is the one at 2500 MHz".
std::string MeasuredNote(const TMeasuredLoad& load, const TMeasuredResult& r);

struct TBandPoint {
    double frequencyMHz = 0.0;
    double gammaMag = 0.0, gammaDeg = 0.0;  // at the model's load plane
    double incidentW = 0.0, reflectedW = 0.0, absorbedW = 0.0;  // at the load, with the case's source
};

struct TBandResult {
    double halfMHz = 0.0;
    std::vector<TBandPoint> points;  // every measured point within the case's frequency +- halfMHz
    double absorbedMinW = 0.0, absorbedMaxW = 0.0, reflectedMaxW = 0.0;
    double worstFrequencyMHz = 0.0;  // where the reflected power is highest
};

// The band: at each measured point its own frequency's Γ (plane shift and
// line loss at that frequency), the case's magnetron and source, and the one
// model of the case's line. inputs' LoaRfl is not used.
TBandResult ComputeBand(const TMeasuredLoad& load, const TInputs& inputs, bool ideal, const TSweepInputs& line,
                        const TGuideInputs& g, double halfMHz);

}  // namespace merivane::present
