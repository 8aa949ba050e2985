// SPDX-License-Identifier: GPL-3.0-or-later
// The process: the loads a product shows as it heats, in process order (the
// first the nominal one), each a typed Γ or a measured file; the one fixed
// tuner setting that holds for all of them (Robust.h); and the envelope of
// the powers over the set.
//
// The points: a typed load at the case's frequency; a measured one at every
// measured point within the case's frequency ± the band's half-width, its Γ
// moved to the model's plane (MeasuredPointAt). Without a set, a measured
// case load's band points are the loads, each named by its frequency.
//
// The powers of a point are the case's model with that point's load seen
// through the tuner (|Γin|): incident Pmatch / |1 - Γs Γin|², reflected
// |Γin|² of it, absorbed the difference, on the case's line.
#pragma once

#include "MeasuredLoad.h"
#include "Model.h"
#include "Robust.h"
#include "TunerInput.h"

#include <complex>
#include <optional>
#include <string>
#include <vector>

namespace merivane::present {

struct TCase;
struct TSnapshot;

struct TSetLoad {
    std::string name;
    TRefl refl;                            // a typed load: Mag and Pha
    std::optional<TMeasuredLoad> measured;  // or a measured one
    bool operator==(const TSetLoad&) const = default;
};

struct TProcessLoad {
    std::string name;  // the load's, or "2451.5 MHz" for a band point
    double frequencyMHz = 0;
    std::complex<double> gamma;  // the load's Γ at the model's plane, without a tuner
    int setLoad = -1;            // the load of the set the point is of; -1 without a set
    // |Γ| without a tuner, and |Γin| with the robust one (without it, the same)
    double gammaMagBefore = 0, gammaMagAfter = 0;
    double reflectedBeforeW = 0, absorbedBeforeW = 0;
    double reflectedW = 0, absorbedW = 0;  // with the robust setting (without it, the same)
};

struct TProcessEnvelope {
    double absorbedMinW = 0, absorbedMaxW = 0, reflectedMaxW = 0;
    std::optional<double> tripMarginDb;   // 10 log10(trip ratio / worst |Γin|²): above 0, no trip
    std::optional<double> dummyMarginDb;  // 10 log10(rating / worst reflected power)
    std::optional<double> waterFlowLpm;   // for the worst reflected power at the case's water rise
};

struct TProcessResult {
    // a set, or a measured band and a robust solve asked for; robust.solved
    // when the robust setting was asked for and found
    bool present = false;
    MatchMethod method = MatchMethod::ThreeStub;
    double spacingMm = 0, guideWavelengthMm = 0;
    TRobustResult robust;
    // where the case's screws stand for the robust setting's susceptances
    // (b1..b3, bA bB; a single stub's or an E-H tuner's shunt b in [0])
    TScrewSetting screws[3];
    std::vector<TProcessLoad> loads;  // every point, in the set's order
    std::string worstLoad, nominalWorstLoad;
    double worstFrequencyMHz = 0, nominalWorstFrequencyMHz = 0;
    TProcessEnvelope envelope;
};

// The process of a snapshot already computed without it (its tuner, tube and
// band). The envelope is over the loads after the robust setting when it is
// asked for, else over the loads as they stand.
TProcessResult ComputeProcess(const TSnapshot& s);

}  // namespace merivane::present
