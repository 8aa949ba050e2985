// The model's guarded division, shared by its two computations.
#pragma once

#include "Model.h"

#include <cmath>

namespace merivane::detail {

// A division that fails on a zero divisor, 0/0 or a quotient beyond the double
// range, without relying on floating-point traps. A quotient of two stored
// doubles is rounded once, in double precision; a compound divisor is formed
// in extended precision and rounded at the end.
template <class T>
bool TryDivide(T num, T den, double& out)
{
    if (den == 0) return false;
    const double q = static_cast<double>(num / den);  // a NaN or an overflow is not finite
    if (!std::isfinite(q)) return false;
    out = q;
    return true;
}

template <class T>
double DivideOrInfinity(T num, T den)
{
    double q = 0.0;
    return TryDivide(num, den, q) ? q : kInfinity;
}

}  // namespace merivane::detail
