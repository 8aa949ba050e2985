// The transmission model: mismatch, interference, gains and powers.
//
// The case's line (its loss alpha over the length L) stands between the
// magnetron's plane and the load's. It passes e^(-2 alpha L) of the power
// going and coming, so the magnetron sees Gin = Gl e^(-2 alpha L) at the
// phase of Gl, and the interference factor is 1 / |1 - Gs Gin|^2. The
// powers and the couplers are those at the load:
//   Pinc = Pmatch F e^(-2 alpha L), Prefl = Pinc |Gl|^2, Pload = Pinc (1 - |Gl|^2).
// A pass factor of exactly 1 is the lossless model.
//
// Every power is one product of closed forms over one divisor, never the
// difference of two large powers; a result at or beyond 1e16 is stored as
// kInfinity (with its sign).
#pragma once

#include "Model.h"

namespace merivane {

// Computes mismatch, interference, gains and powers from the inputs with the
// line's pass factor e^(-2 alpha L) (1 without a loss), then the couplers'
// readings at the load with the state of the "Ideal" check box. Reads only
// the inputs: a model computed once may be computed again with another pass.
void CalcTransmission(TModel& m, bool ideal, double pass = 1.0);

// The incident power over the interference factor, Pav (1 - |Gs|^2), through
// the stored Pav. Pinc = Pav (1 - |Gs|^2) / |1 - Gs Gl|^2 = Pmatch / |1 - Gs Gl|^2
// for every |Gs| < 1, so as |Gs| -> 1 (Pav -> infinity, 1 - |Gs|^2 -> 0) the
// product tends to Pmatch: a fully reflecting source still sends Pmatch
// times the interference factor towards the load.
long double IncidentScale(const TModel& m);

// A result as the model stores it: at or beyond +-1e16 (or infinite) the
// sentinel kInfinity with the sign of x.
double StoredResult(long double x);

// num / den for num, den >= 0, where den = 0 gives an infinite quotient
// (0 for num = 0: nothing times an infinite factor is nothing).
long double QuotientOrInfinite(long double num, long double den);

// 1 - a b c for a, b, c in 0..1, as (1 - a) + a ((1 - b) + b (1 - c)): a sum
// of terms of one sign, exact to the last bits even when a b c is near 1.
long double OneMinusProduct(long double a, long double b, long double c = 1.0L);

// |1 - r e^(j theta)|^2 = (1 - r)^2 + 4 r sin^2(theta / 2), given 1 - r
// (OneMinusProduct) and theta in degrees: no cancellation near r = 1, theta = 0.
long double InterferenceDivisor(long double r, long double oneMinusR, long double thetaDeg);

// sin(x deg) with x folded into [-90, 90] first, so that whole multiples of
// 180 deg give exactly 0.
long double SinDeg(long double xDeg);

// The powers at the load for the divisor |1 - Gs Gin|^2.
struct TLoadPowers {
    long double Pinc = 0, Prefl = 0, Pload = 0;  // unrounded, possibly infinite
};
// scale = IncidentScale, pass = e^(-2 alpha L), g = |Gl|:
// Pinc = scale pass / div, Prefl = that |Gl|^2, Pload = that (1 - |Gl|)(1 + |Gl|).
TLoadPowers LoadPowers(long double scale, double pass, double g, long double div);

}  // namespace merivane
