// SPDX-License-Identifier: GPL-3.0-or-later
// The numbers of a record as complex values, and Y, Z, H and G matrices as S.
//
// With real reference resistances R (one per port) the conversions work on
// the normalised matrices, which version 1 files hold as they are:
//   z = R^-1/2 Z R^-1/2,  y = R^1/2 Y R^1/2,
//   S = (z + I)^-1 (z - I) = (I + y)^-1 (I - y)
// (z - I and z + I commute, so the order of the product does not matter).
// H and G, of two-ports only, are normalised with v = V/sqrt(R) and
// i = I sqrt(R) at each port and turned into S by the closed form of H; G is
// the H of the network with its ports swapped.
#pragma once

#include "OptionLine.h"

#include <complex>
#include <vector>

namespace merivane::touchstone {

// A pair of numbers as the format has them: RI real and imaginary, MA
// magnitude and angle, DB 20 log10 of the magnitude and angle, angles in
// degrees. Quarter turns are exact: "0.5 90" in MA is 0.5i, with no 6e-17.
std::complex<double> FromPair(double first, double second, TFormat format);

// The working space of the conversions, kept from one frequency to the next.
struct TScratch {
    std::vector<std::complex<double>> a, b;
};

// Turns the n x n matrix m (row by row) of the given parameter into S, in
// place. normalised: m holds the normalised values already (version 1);
// otherwise ohms and siemens. False when the matrix has no S (the network
// is one that S cannot describe against these references), or one beyond
// the range of a double.
bool ToScattering(std::complex<double>* m, int n, char parameter, bool normalised, const std::vector<double>& refs,
                  TScratch& scratch);

}  // namespace merivane::touchstone
