// The coupler-measurement model: what couplers of finite directivity read.
#pragma once

#include "Model.h"

namespace merivane {

// 10^(-dB/20): the amplitude of the wave a coupler lets leak through.
double DirectivityFactor(double dirDb);

// Computes the coupler readings from CplDirDb, LoaRfl.Mag, Pinc and Pload.
void CalcCouplerMeas(TModel& m, bool ideal);

}  // namespace merivane
