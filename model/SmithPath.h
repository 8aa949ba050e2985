// SPDX-License-Identifier: GPL-3.0-or-later
// The tuner's path on the Smith chart: how the chosen solution carries the
// load Gl to the centre, one segment for each thing the tuner does. Pure: no
// drawing, no Qt.
//
// The segments, in the order the wave meets them going toward the source:
// - a turn along the line by l: G(t) = G e^(-j 4 pi t l / lg), on the circle
//   of constant |G|;
// - a shunt susceptance b: y(t) = y + j t b, on the circle of constant
//   conductance g = Re y;
// - a series reactance x: z(t) = z + j t x, on the circle of constant
//   resistance r = Re z;
// for t from 0 to 1. A single stub turns by d and then adds its b (on g = 1);
// the stub tuners add b1, turn by the spacing, add b2, ...; the E-H tuner adds
// its series x and its shunt b in the solution's order.
#pragma once

#include "Smith.h"
#include "Tuner.h"

#include <vector>

namespace merivane::smith {

enum class PathStep { Line, Shunt, Series };

struct TPathSegment {
    PathStep step = PathStep::Line;
    // what stays constant along it: |G| (Line), g (Shunt) or r (Series)
    double invariant = 0.0;
    std::vector<TGamma> points;  // from where the segment starts to where it ends
};

struct TTunerPath {
    bool defined = false;  // a matchable solution i
    std::vector<TPathSegment> segments;
    TGamma end;  // the last point: the centre, within the solver's rounding
};

// The path of solution i of r from gammaL; steps + 1 points a segment. Not
// defined when r is not matchable or has no solution i. Steps that do
// nothing (a zero susceptance, a turn of zero length) are left out.
TTunerPath TunerPath(const TMatchResult& r, int i, TGamma gammaL, int steps = 48);

// What stays constant along a segment's kind at G: |G|, Re y or Re z.
double PathInvariant(PathStep step, TGamma g);

}  // namespace merivane::smith
