// SPDX-License-Identifier: GPL-3.0-or-later
// One fixed tuner setting for a set of loads: the setting that keeps the
// worst reflection the magnetron sees, max |Gin| over every load and every
// frequency of the set, as low as it goes.
//
// The conventions are the Tuner's (Tuner.h), and over a band:
// - each point has its own guide wavelength lg(f): the spacing of the stubs
//   and a single stub's distance are fixed in mm, so their electrical
//   lengths follow lg(f);
// - the screws' and stubs' susceptances, and the E-H tuner's reactance and
//   susceptance, are the same at every frequency.
//
// The problem is a minimax of at most three unknowns with a non-smooth
// objective. It is solved by Nelder–Mead on the maximum from several starts
// (the nominal setting, each load's own exact match, their mean), the best
// ones refined and the best of them polished from a smaller simplex. The
// starts and every step are fixed, so the same set gives the same setting,
// bit for bit; and the result is never worse than the nominal setting.
#pragma once

#include "Tuner.h"

#include <cstddef>
#include <vector>

namespace merivane {

struct TRobustPoint {
    cplx gamma;                     // the load at the tuner's load-side plane at this point
    double guideWavelengthMm = 0;   // lg at the point's frequency
};

struct TRobustSetting {
    TMatchSolution setting;
    double worstMag = 1.0;     // max |Gin| over the points
    std::size_t worstPoint = 0;
};

struct TRobustResult {
    bool solved = false;  // false: no point, or no wave on the line at a point
    TRobustSetting robust;
    TRobustSetting nominal;
    int evaluations = 0;  // of the worst case, for the benchmark's notes
};

// |Gin| the magnetron sees at point p with the setting s of the method, the
// stubs spacingMm apart (three-stub, double stub).
double InputReflectionAt(MatchMethod method, double spacingMm, const TMatchSolution& s, const TRobustPoint& p);

// The robust setting of the method over the points. nominal is the setting
// that matches the nominal load alone; starts are more settings to start
// from (each load's own match). Three-stub screws stay capacitive (b >= 0);
// an E-H tuner is tried in both orders.
TRobustResult SolveRobust(MatchMethod method, double spacingMm, const std::vector<TRobustPoint>& points,
                          const TMatchSolution& nominal, const std::vector<TMatchSolution>& starts = {});

}  // namespace merivane
