// SPDX-License-Identifier: GPL-3.0-or-later
// A load measured over frequency (a network analyser's sweep of one port)
// and the reflection the model takes from it at one frequency.
//
// Planes: the file's Γ is at the analyser's reference plane. The model's load
// plane lies a length ℓ of the case's line toward the magnetron from it
// (ℓ > 0), or toward the load (ℓ < 0). Moving the plane toward the generator
// turns Γ clockwise on the Smith chart and takes the line's loss twice:
//   Γl(f) = Γfile(f) · e^(−2αℓ) · e^(−j 4π ℓ / λg(f))
// with λg of the line at f (dispersive in waveguide) and α its attenuation.
#pragma once

#include <complex>
#include <string>
#include <vector>

namespace merivane {

struct TMeasuredLoad {
    std::string file;             // the name it was read from, for notes; the data are below
    int port = 1;                 // the port k of the file whose Skk this is
    std::vector<double> freqHz;   // never decreasing
    std::vector<std::complex<double>> gamma;  // Skk at each frequency, at the analyser's plane
    double planeShiftMm = 0.0;    // ℓ, above
    // the band shown about the case's frequency, ± MHz; 0: the magnetron's
    // pulling range where the case has one, else 50 MHz
    double bandHalfMHz = 0.0;
    bool operator==(const TMeasuredLoad&) const = default;
};

struct TMeasuredAt {
    std::complex<double> gamma;  // at the analyser's plane
    bool inside = true;          // f within the measured band; else gamma is the nearer end's
};

// Γ at f, linear in its real and imaginary parts between the two points
// around it; outside the band, the nearer end's Γ. At a repeated frequency
// the later point counts above it. load must have at least one point.
TMeasuredAt MeasuredGammaAt(const TMeasuredLoad& load, double fHz);

// Γ moved from the analyser's plane to the model's: the formula above, with
// 1/λg in 1/mm (0 where no wave propagates: no turn) and α in Np/m.
std::complex<double> ShiftedGamma(std::complex<double> g, double shiftMm, double inverseGuideWavelengthPerMm,
                                  double alphaNpPerM);

}  // namespace merivane
