// SPDX-License-Identifier: GPL-3.0-or-later
// The case the benchmarks compute: 4000 V, 3 A, 85 %, source 0.2 at 0
// degrees, load 0.5 at 90 degrees, a 20 dB coupler.
#pragma once

#include "Model.h"
#include "Transmission.h"

namespace merivane::bench {

inline TModel DefaultInputs()
{
    TModel m;
    m.Va = 4000;
    m.Ia = 3;
    m.Eff = 0.85;
    m.SrcRfl.Mag = 0.2;
    m.LoaRfl.Mag = 0.5;
    m.LoaRfl.Pha = 90;
    m.CplDirDb = 20;
    return m;
}

// The same, computed with a real coupler.
inline TModel DefaultComputed()
{
    TModel m = DefaultInputs();
    CalcTransmission(m, false);
    return m;
}

}  // namespace merivane::bench
