// The transmission model: mismatch, interference, gains and powers.
#pragma once

#include "Model.h"

namespace merivane {

// Computes mismatch, interference, gains and powers from the inputs, then runs
// CalcCouplerMeas with the state of the "Ideal" check box.
void CalcTransmission(TModel& m, bool ideal);

}  // namespace merivane
