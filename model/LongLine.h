// SPDX-License-Identifier: GPL-3.0-or-later
// The long-line effect: the frequencies at which a pulled magnetron can run
// at the end of a line of length L.
//
// The load G_l is given as the magnetron sees it at f0. At another frequency
// the line turns it by the change of its round-trip phase:
//   G(f) = G_l e^(-j 2 (beta(f) - beta(f0)) L),
// and the tube runs where its pulled frequency agrees with the load it sees:
//   f = f0 + df(G(f)),   df(G) = -f0 b(G) / (2 Qext)   (see Magnetron.h).
// Since |df| <= PF(S)/2, every solution lies within f0 +- PF(S)/2, inside the
// window f0 +- 2 PF(S) that is reported as searched. Nodes are laid over that
// band at least every pi/16 of the load's phase and at every pass of it
// through 180 deg; a change of sign of f - f0 - df between nodes, or an
// extreme of it turning towards zero, is refined by Brent's method to 0.1 Hz.
#pragma once

#include "LineSweep.h"

#include <vector>

namespace merivane {

struct TLongLineSolutions {
    // false when Qext or f0 is not positive, the load is a full reflection, or
    // a line of non-zero length is unknown or carries no wave at f0
    bool Defined = false;
    double LowMHz = 0.0, HighMHz = 0.0;  // the window searched
    std::vector<double> FrequenciesMHz;  // rising; more than one: the tube can jump
};

// f0 is line.FreqMHz and L is line.LengthM. With L = 0 or a matched load the
// only solution is f0 + df(G_l).
TLongLineSolutions LongLineFrequencies(const TSweepInputs& line, double qext, double gammaMag, double gammaPhaDeg);

}  // namespace merivane
