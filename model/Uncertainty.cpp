// SPDX-License-Identifier: GPL-3.0-or-later
#include "Uncertainty.h"

#include "Conversions.h"
#include "CouplerMeas.h"
#include "Division.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace merivane {

namespace {
using detail::DivideOrInfinity;

// (bound - 1) in %, the sentinel kept
double RelativePct(double ratio) { return ratio >= kInfinity ? kInfinity : (ratio - 1.0) * 100.0; }
}  // namespace

const char* LeakPhaseModelName(LeakPhaseModel model)
{
    switch (model) {
    case LeakPhaseModel::Disk: return "disk";
    case LeakPhaseModel::Rayleigh: return "rayleigh";
    case LeakPhaseModel::Fixed: break;
    }
    return "fixed";
}

TUncertainty UncertaintyBudget(double gammaMag, double leak, const TUncertaintyInputs& in)
{
    TUncertainty u;
    const double g = gammaMag;
    const double mism = 1.0 - g * g;  // the absorbed share, 1 - |G_l|^2
    u.Defined = g >= 0 && mism > 0;
    if (!u.Defined) return u;

    // The leak term 2 |G_l| Pinc (Re e1' - Re e2'), the two couplers
    // independent, has the standard deviation 2 sqrt 2 |G_l| sd(Re e) Pinc:
    //   fixed     2 |G_l| d / (1 - |G_l|^2)         (sd(Re e) = d / sqrt 2)
    //   disk      sqrt 2 |G_l| d / (1 - |G_l|^2)    (sd(Re e) = d / 2)
    //   Rayleigh  2 sqrt 2 |G_l| sigma / (1 - |G_l|^2), sigma = d / 2.448
    double dir = 0.0;
    switch (in.Model) {
    case LeakPhaseModel::Fixed: dir = 2.0 * g * leak; break;
    case LeakPhaseModel::Disk: dir = std::numbers::sqrt2 * g * leak; break;
    case LeakPhaseModel::Rayleigh: dir = 2.0 * std::numbers::sqrt2 * g * (leak / kRayleigh95); break;
    }
    u.DirectivityPct = 100.0 * dir / mism;
    // Forward and reverse readings each carry u_k (and u_s), independently:
    // u(Pf - Pr) = sqrt(1 + |G_l|^4) u Pinc, relative sqrt(1 + |G_l|^4) u / (1 - |G_l|^2).
    const double both = std::sqrt(1.0 + g * g * g * g) / mism;
    u.CouplingPct = both * in.CouplingPct;
    u.SensorPct = both * in.SensorPct;
    // the combined standard uncertainty: the root sum of squares; U = k u_c, k = 2
    u.CombinedPct = std::sqrt(u.DirectivityPct * u.DirectivityPct + u.CouplingPct * u.CouplingPct +
                              u.SensorPct * u.SensorPct);
    u.ExpandedPct = 2.0 * u.CombinedPct;
    return u;
}

TUncertainty CalcUncertainty(const TModel& m, const TUncertaintyInputs& in)
{
    const double leak = m.CplIdeal ? 0.0 : DirectivityFactor(m.CplDirDb);
    TUncertainty u = UncertaintyBudget(m.LoaRfl.Mag, leak, in);
    if (!u.Defined) return u;
    u.CombinedW = m.Pload * u.CombinedPct / 100.0;
    u.ExpandedW = m.Pload * u.ExpandedPct / 100.0;
    u.WorstLowPct = RelativePct(m.PloadMinRelat);
    u.WorstHighPct = RelativePct(m.PloadMaxRelat);
    return u;
}

TTripLevels CalcTripLevels(double tripPct, double leak)
{
    TTripLevels t;
    const double rt = tripPct >= 0 ? std::sqrt(tripPct / 100.0) : -1.0;  // sqrt T, the ratio of amplitudes
    const double d = leak;
    t.Defined = rt >= 0 && d >= 0 && d * rt < 1;
    if (!t.Defined) return t;
    // The readings' ratio of amplitudes lies between (|G_l| - d) / (1 + d|G_l|)
    // and (|G_l| + d) / (1 - d|G_l|). The trip surely fires once the lowest
    // reaches sqrt T:  |G_l| = (sqrt T + d) / (1 - d sqrt T);
    // it never fires while the highest stays below: |G_l| = (sqrt T - d) / (1 + d sqrt T).
    t.SureAboveMag = (rt + d) / (1.0 - d * rt);
    t.NeverBelowMag = std::max(0.0, (rt - d) / (1.0 + d * rt));
    // S = (1 + |G|) / (1 - |G|)
    t.SureAboveSwr = t.SureAboveMag < 1 ? DivideOrInfinity(1.0 + t.SureAboveMag, 1.0 - t.SureAboveMag) : kInfinity;
    t.NeverBelowSwr = t.NeverBelowMag < 1 ? DivideOrInfinity(1.0 + t.NeverBelowMag, 1.0 - t.NeverBelowMag) : kInfinity;
    return t;
}

}  // namespace merivane
