// The worked example's inputs: 4000 V, 3 A, 85 %, source 0.2 at 0 degrees,
// load 0.5 at 90 degrees, a 20 dB coupler.
#pragma once

#include "Model.h"

namespace merivane::testcases {

inline TModel Defaults()
{
    TModel m;
    m.Va = 4000;
    m.Ia = 3;
    m.Eff = 0.85;
    m.SrcRfl.Mag = 0.2;
    m.SrcRfl.Pha = 0;
    m.LoaRfl.Mag = 0.5;
    m.LoaRfl.Pha = 90;
    m.CplDirDb = 20;
    return m;
}

}  // namespace merivane::testcases
