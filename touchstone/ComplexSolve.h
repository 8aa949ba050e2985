// SPDX-License-Identifier: GPL-3.0-or-later
// A small dense complex solver: Gauss elimination with partial pivoting.
#pragma once

#include <complex>

namespace merivane::touchstone {

// Solves A X = B for X, A and B square of order n, row by row. A is
// destroyed and B becomes X. False, and B unusable, when A is singular: a
// pivot vanishes against the size of A's entries (n times the machine
// epsilon of the largest one), or A holds no non-zero entry.
bool SolveInPlace(std::complex<double>* a, std::complex<double>* b, int n);

}  // namespace merivane::touchstone
