// SPDX-License-Identifier: GPL-3.0-or-later
// The geometry of the Smith chart: where the load lies, the path the added
// line turns it along, the band frequency pulling smears it over, circles of
// constant SWR and of constant absorbed power, and what a point of the chart
// means. Pure: no drawing, no Qt.
//
// Conventions:
// - Every reflection is at the common reference plane of the model, and
//   normalised to the line's wave impedance: z = (1 + G) / (1 - G).
// - A line of length d added before the load turns it to
//   Gl e^(-2 alpha d) e^(-j 4 pi d / lg): clockwise, toward the generator.
//   Where no wave propagates, or nothing is known of the line, the path runs
//   over the round-trip phase phi instead: Gl e^(-j phi).
// - x is the Line Sweep's abscissa: mm of added length (OverLength), else
//   degrees of round-trip phase; one period is lg / 2 or 360 deg.
#pragma once

#include "LineSweep.h"
#include "Model.h"

#include <complex>
#include <vector>

namespace merivane::smith {

using TGamma = std::complex<double>;

// A reflection record as a complex number: Mag at Pha degrees.
TGamma ToGamma(const TRefl& r);

// Gt = (1 - |Gs|^2)(1 - |Gl|^2) / |1 - Gs Gl|^2, the fraction of the
// available power the load takes; 0 for |Gs| >= 1 or |Gl| >= 1.
double TransducerGain(TGamma gs, TGamma gl);

// The power the load gl would take from the model's source through the case's
// line (pass = e^(-2 alpha L)): the model's
// q pass (1 - |gl|^2) / |1 - Gs gl pass|^2 with q = Pav (1 - |Gs|^2) (IncidentScale).
double AbsorbedAt(const TModel& m, TGamma gl, double pass = 1.0);

struct TCircle {
    bool defined = false;
    TGamma centre;
    double radius = 0.0;
};

// |G| = (S - 1) / (S + 1) about the centre; undefined for S < 1.
TCircle VswrCircle(double swr);

// The loads that take the fraction gt of the available power from a source
// Gs: k = Gt / (1 - |Gs|^2), c = k Gs* / (1 + k |Gs|^2),
// radius^2 = |c|^2 - (k - 1) / (1 + k |Gs|^2). Undefined for |Gs| >= 1, and
// for gt outside (0, 1]; at gt = 1 the circle is the point Gs*.
TCircle PowerCircle(TGamma gs, double gt);

// The fractions of the available power the chart draws circles at.
inline constexpr double kPowerLevels[] = {0.50, 0.80, 0.90, 0.95};

// The path of the load over one period of added line.
struct TLocus {
    bool overLength = false;  // x in mm; otherwise degrees of round-trip phase
    double period = 360.0;    // x over one period
    double xPerDeg = 1.0;     // x per degree of round-trip phase
    double npPerM = 0.0;      // the line's attenuation the path was drawn with
    double passFactor = 1.0;  // the case's e^(-2 alpha L) (the sweep's), for the absorbed power read
    std::vector<double> x;    // 0 .. period
    std::vector<TGamma> points;
    TGamma present;           // x = 0: the load itself
    bool adviceDefined = false;
    TGamma atMax, atMin;      // at the Line Sweep's AddForMax and AddForMin
    // The pulling arc: x from -arcBelow to +arcAbove about the present
    // point, at the entered line length over the frequency span.
    bool arcDefined = false;
    bool arcFullTurn = false;  // the span turns the load by a full turn or more
    double arcBelow = 0.0, arcAbove = 0.0;
    std::vector<TGamma> arc;
};

// The load after adding x (in the sweep's units) of line with attenuation
// npPerM (Np/m of the field; used only over a length).
TGamma LocusPoint(TGamma gl, bool overLength, double xPerDeg, double x, double npPerM = 0.0);

// steps + 1 points over a period, and as many on the pulling arc.
TLocus CalcLocus(const TRefl& load, const TSweepResult& s, int steps = 360, double npPerM = 0.0);

// What a point of the chart means.
struct TPointReading {
    TGamma g;
    double mag = 0.0, phaDeg = 0.0;
    double returnLossDb = 0.0;  // -20 log10 |G|, positive; kInfinity for G = 0
    double swr = 0.0;           // kInfinity from |G| = 1 on
    bool zFinite = true;        // false at G = 1
    std::complex<double> z;     // (1 + G) / (1 - G)
    bool yFinite = true;        // false at G = -1
    std::complex<double> y;     // (1 - G) / (1 + G)
    double absorbedW = 0.0;     // the power the load would take there
    bool onLocus = false;       // |G| within tolerance of the path's at G's phase (|Gl| without loss)
    double addX = 0.0;          // x to add to bring the load there, 0 .. period
};

// tolerance: how far from the load's circle (in |G|) a point still lies on it.
TPointReading ReadPoint(TGamma g, const TModel& m, const TLocus& locus, double tolerance = 0.005);

}  // namespace merivane::smith
