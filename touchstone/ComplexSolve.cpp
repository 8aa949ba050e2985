// SPDX-License-Identifier: GPL-3.0-or-later
#include "ComplexSolve.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <utility>

namespace merivane::touchstone {

namespace {

using C = std::complex<double>;

double Largest(const C* a, std::size_t count)
{
    double largest = 0;
    for (std::size_t i = 0; i < count; ++i) largest = std::max(largest, std::abs(a[i]));
    return largest;
}

void SwapRows(C* m, std::size_t n, std::size_t r1, std::size_t r2)
{
    for (std::size_t j = 0; j < n; ++j) std::swap(m[r1 * n + j], m[r2 * n + j]);
}

}  // namespace

bool SolveInPlace(C* a, C* b, int order)
{
    const auto n = static_cast<std::size_t>(order);
    const double tiny = Largest(a, n * n) * static_cast<double>(n) * DBL_EPSILON;
    if (!(tiny > 0)) return false;  // no non-zero entry, or one not finite
    for (std::size_t k = 0; k < n; ++k) {
        std::size_t pivot = k;
        for (std::size_t i = k + 1; i < n; ++i)
            if (std::abs(a[i * n + k]) > std::abs(a[pivot * n + k])) pivot = i;
        if (!(std::abs(a[pivot * n + k]) > tiny)) return false;
        if (pivot != k) {
            SwapRows(a, n, k, pivot);
            SwapRows(b, n, k, pivot);
        }
        const C inverse = 1.0 / a[k * n + k];
        for (std::size_t i = k + 1; i < n; ++i) {
            const C f = a[i * n + k] * inverse;
            if (f == C(0)) continue;
            for (std::size_t j = k + 1; j < n; ++j) a[i * n + j] -= f * a[k * n + j];
            for (std::size_t j = 0; j < n; ++j) b[i * n + j] -= f * b[k * n + j];
        }
    }
    for (std::size_t k = n; k-- > 0;) {  // back substitution, every column of B at once
        const C inverse = 1.0 / a[k * n + k];
        for (std::size_t j = 0; j < n; ++j) {
            C sum = b[k * n + j];
            for (std::size_t i = k + 1; i < n; ++i) sum -= a[k * n + i] * b[i * n + j];
            b[k * n + j] = sum * inverse;
        }
    }
    return true;
}

}  // namespace merivane::touchstone
