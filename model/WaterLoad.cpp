// SPDX-License-Identifier: GPL-3.0-or-later
#include "WaterLoad.h"

#include <cmath>

namespace merivane {

double WaterLoadPowerW(double flowLpm, double riseK)
{
    // P = rho c_p Q dT with Q = flow / 60 in L/s: kg/s times J/(kg K) times K
    return kWaterDensityKgPerL * kWaterHeatJPerKgK * (flowLpm / 60.0) * riseK;
}

TCalorimetry CalcCalorimetry(double flowLpm, double riseK, double modelLoadW)
{
    TCalorimetry c;
    c.PowerW = WaterLoadPowerW(flowLpm, riseK);
    c.DifferenceDefined = c.PowerW > 0 && modelLoadW > 0 && std::isfinite(c.PowerW) && std::isfinite(modelLoadW);
    // 10 log10(P_water / P_model)
    if (c.DifferenceDefined) c.DifferenceDb = 10.0 * std::log10(c.PowerW / modelLoadW);
    return c;
}

}  // namespace merivane
