// SPDX-License-Identifier: GPL-3.0-or-later
// The water load's calorimetry beside the model's absorbed power.
#pragma once

namespace merivane {

inline constexpr double kWaterDensityKgPerL = 0.998;  // at about 20 C
inline constexpr double kWaterHeatJPerKgK = 4182.0;   // specific heat c_p

// P = rho c_p Q dT, Q in L/min: 69.56 W per L/min and K.
double WaterLoadPowerW(double flowLpm, double riseK);

// JSON "calorimetry": power_w, difference_db.
struct TCalorimetry {
    double PowerW = 0.0;
    bool DifferenceDefined = false;  // both powers positive
    double DifferenceDb = 0.0;       // 10 log10(P_water / P_model): above 0, the water took more
};

TCalorimetry CalcCalorimetry(double flowLpm, double riseK, double modelLoadW);

}  // namespace merivane
