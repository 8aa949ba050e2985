// SPDX-License-Identifier: GPL-3.0-or-later
// What the tuner's solvers share, inside the model.
#pragma once

#include "Tuner.h"

namespace merivane::detail {

// The record with the method, the guide wavelength and the load admittance;
// Status kMatchOk for a passive load with |Gl| < 1, otherwise why not.
TMatchResult BeginMatch(MatchMethod method, double guideWavelengthMm, cplx gammaL);

// G e^(-j 4 pi l / lg): the reflection l further toward the source.
cplx Turned(cplx gamma, double lengthMm, double guideWavelengthMm);

// Stubs this close to a multiple of lg/2 apart act as one stub at one plane.
bool NearHalfWave(double spacingMm, double guideWavelengthMm);

// Drops each solution of r that fails SolutionHolds and each that repeats
// one kept; with none left r is not matchable and its status names why.
void KeepSolutionsThatHold(TMatchResult& r, cplx gammaL);

}  // namespace merivane::detail
