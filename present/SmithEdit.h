// SPDX-License-Identifier: GPL-3.0-or-later
// Moving the load on the Smith chart: the case as it becomes when the load is
// dragged, stepped by a key or sent to the source's conjugate. The rules are
// a typed entry's: the phase wraps into the Load Phase row's limits as a
// typed phase does, the magnitude is held within the Load Magnitude row's.
#pragma once

#include "CaseModel.h"

namespace merivane::present {

// The keys' steps: Left/Right turn the phase, Up/Down change the magnitude;
// Shift takes the larger step.
inline constexpr double kSmithPhaseStep = 1.0, kSmithPhaseStepLarge = 10.0;  // degrees
inline constexpr double kSmithMagStep = 0.01, kSmithMagStepLarge = 0.1;

// The case with the load at mag and phaDeg: mag clamped to the row's limits,
// phaDeg wrapped as a typed phase is. Mag, Rloss and Swr all follow.
TCase WithLoad(const TCase& c, double mag, double phaDeg);
// A drag's point: WithLoad with the magnitude rounded to the load field's
// decimals in the representation its list shows, and the phase to the
// phase field's, so that both fields show short texts that read back exactly.
TCase WithDraggedLoad(const TCase& c, double mag, double phaDeg);
// The load's phase turned by deg, its magnitude changed by d.
TCase LoadPhaseStep(const TCase& c, double deg);
TCase LoadMagnitudeStep(const TCase& c, double d);
// The load at Gs*, the load that takes all the available power.
TCase LoadToConjugate(const TCase& c);

}  // namespace merivane::present
