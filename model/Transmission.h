// The transmission model: mismatch, interference, gains and powers.
#pragma once

#include "Model.h"

namespace merivane {

// Computes mismatch, interference, gains and powers from the inputs, then runs
// CalcCouplerMeas with the state of the "Ideal" check box.
void CalcTransmission(TModel& m, bool ideal);

// The incident power over the interference factor, Pav (1 - |Gs|^2), through
// the stored Pav. Pinc = Pav (1 - |Gs|^2) / |1 - Gs Gl|^2 = Pmatch / |1 - Gs Gl|^2
// for every |Gs| < 1, so as |Gs| -> 1 (Pav -> infinity, 1 - |Gs|^2 -> 0) the
// product tends to Pmatch: a fully reflecting source still sends Pmatch
// times the interference factor towards the load.
long double IncidentScale(const TModel& m);

// scale * interference, the incident power; an infinite interference factor
// (two full reflections in phase) gives an infinite power, unless there is
// no power at all.
double IncidentPower(long double scale, double interf);

}  // namespace merivane
