// The coupler-measurement model: what couplers of finite directivity read at
// the load's plane.
#pragma once

#include "Model.h"

namespace merivane {

// 10^(-dB/20): the amplitude of the wave a coupler lets leak through.
double DirectivityFactor(double dirDb);

// What the couplers read per watt of incident power, for the load's |Gl| = g
// and the leak d: the forward coupler reads the incident wave plus or minus
// the leak of the reflected one, the reverse coupler the reflected wave plus
// or minus the leak of the incident one.
struct TCouplerFactors {
    long double IncMinus = 0, IncPlus = 0;    // (1 -+ d g)^2
    long double ReflMinus = 0, ReflPlus = 0;  // (g -+ d)^2
    // (1 - d g)^2 - (g + d)^2 = ((1 - g) - d (1 + g)) ((1 + g) + d (1 - g)) and
    // (1 + d g)^2 - (g - d)^2 = ((1 - g) + d (1 + g)) ((1 + g) - d (1 - g)):
    // the absorbed power's bounds as products, never a difference of readings
    long double LoadMinus = 0, LoadPlus = 0;
};
TCouplerFactors CouplerFactors(double g, double d);

// A reading: the incident power (possibly infinite) times a factor, stored as
// the model stores a result; a factor of 0 reads 0.
double CouplerReading(long double incident, long double factor);

// Computes the coupler readings from CplDirDb, LoaRfl.Mag and the incident
// power at the load, unrounded (CalcTransmission passes its own).
void CalcCouplerMeas(TModel& m, bool ideal, long double incident);
// The same from the stored Pinc, kInfinity read as an infinite power.
void CalcCouplerMeas(TModel& m, bool ideal);

}  // namespace merivane
