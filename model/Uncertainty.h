// SPDX-License-Identifier: GPL-3.0-or-later
// How sure the couplers' figures are: the uncertainty budget of the absorbed
// power after the GUM, and the true reflections at which a trip on the ratio
// of the two readings fires.
//
// The forward coupler reads |1 + e1 G_l|^2 Pinc and the reverse one
// |G_l + e2|^2 Pinc, e1 and e2 being the leaks of the other wave, of magnitude
// up to d = 10^(-D/20). Their difference, the measured absorbed power, is to
// first order Pinc (1 - |G_l|^2) + 2 |G_l| Pinc (Re e1' - Re e2'), with e1'
// and e2' the leaks turned by the phase of G_l.
#pragma once

#include "Model.h"

namespace merivane {

// What is assumed of the leaks' unknown phase.
enum class LeakPhaseModel {
    Fixed,    // magnitude d, phase uniform: a U-shaped error, sd of Re e = d / sqrt 2
    Disk,     // uniform over the disk |e| <= d: sd of Re e = d / 2
    Rayleigh  // circular Gaussian with |e| <= d in 95 %: sd of Re e = d / 2.448
};
const char* LeakPhaseModelName(LeakPhaseModel model);  // "fixed", "disk", "rayleigh"

// sqrt(-2 ln 0.05): the 95 % point of a Rayleigh magnitude in units of sigma.
inline constexpr double kRayleigh95 = 2.448;

struct TUncertaintyInputs {
    LeakPhaseModel Model = LeakPhaseModel::Fixed;
    double CouplingPct = 0.0;  // standard uncertainty of each coupling factor, k = 1
    double SensorPct = 0.0;    // standard uncertainty of each power sensor, k = 1
};

// JSON "uncertainty": directivity_pct, coupling_pct, sensor_pct, combined_pct,
// expanded_pct. All relative to the absorbed power Pinc (1 - |G_l|^2).
struct TUncertainty {
    bool Defined = false;  // |G_l| < 1
    double DirectivityPct = 0.0, CouplingPct = 0.0, SensorPct = 0.0;
    double CombinedPct = 0.0;  // root sum of squares
    double ExpandedPct = 0.0;  // k = 2
    double CombinedW = 0.0, ExpandedW = 0.0;  // of the model's Pload
    // today's worst-case bounds, (PloadMinV / Pload - 1) and (PloadMaxV / Pload - 1) in %
    double WorstLowPct = 0.0, WorstHighPct = 0.0;
};

// The budget for a load |G_l| and leak amplitude d; no powers or bounds.
TUncertainty UncertaintyBudget(double gammaMag, double leak, const TUncertaintyInputs& in);
// From the computed model: LoaRfl.Mag, the coupler's directivity (none when
// ideal), Pload and its coupler-derived bounds.
TUncertainty CalcUncertainty(const TModel& m, const TUncertaintyInputs& in);

// JSON "trip": sure_above_mag, never_below_mag, sure_above_swr, never_below_swr.
struct TTripLevels {
    bool Defined = false;        // 0 <= T and d sqrt T < 1
    double SureAboveMag = 0.0;   // may exceed 1: then no load trips surely
    double NeverBelowMag = 0.0;  // 0 when the leaks alone can reach the trip
    double SureAboveSwr = 1.0;   // kInfinity when SureAboveMag >= 1
    double NeverBelowSwr = 1.0;
    bool SureReachable() const { return SureAboveMag < 1; }
};

// The trip fires when the reverse reading is tripPct % of the forward one; the
// leaks of both couplers, of amplitude d, taken at their worst.
TTripLevels CalcTripLevels(double tripPct, double leak);

}  // namespace merivane
