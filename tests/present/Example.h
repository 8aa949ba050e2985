// SPDX-License-Identifier: GPL-3.0-or-later
// The worked example: 4000 V, 3 A, 85 %, source 0.2 at 0 degrees, load 0.5 at
// 90 degrees, a 20 dB coupler or ideal ones.
#pragma once

#include "Conversions.h"
#include "Transmission.h"

#include <initializer_list>

inline merivane::TModel WorkedExample(bool ideal)
{
    merivane::TModel m;
    m.Va = 4000;
    m.Ia = 3;
    m.Eff = 0.85;
    m.SrcRfl.Mag = 0.2;
    m.LoaRfl.Mag = 0.5;
    m.LoaRfl.Pha = 90;
    for (merivane::TRefl* r : {&m.SrcRfl, &m.LoaRfl}) {
        r->Rloss = merivane::MagToDb(r->Mag);
        r->Swr = merivane::MagToSwr(r->Mag);
    }
    m.CplDirDb = 20;
    merivane::CalcTransmission(m, ideal);
    return m;
}
