// SPDX-License-Identifier: GPL-3.0-or-later
#include "InputValues.h"

#include "EntryReader.h"

#include <cstdint>

namespace merivane::present {

double StoredValue(const TInputs& m, Input id, int representation)
{
    switch (id) {
    case Input::AnodeV: return m.Va;
    case Input::AnodeI: return m.Ia;
    case Input::Effic: return m.Eff;
    case Input::SrcMag: return ReflValue(m.SrcRfl, representation);
    case Input::SrcPha: return m.SrcRfl.Pha;
    case Input::LoaMag: return ReflValue(m.LoaRfl, representation);
    case Input::LoaPha: return m.LoaRfl.Pha;
    case Input::Dire: return m.CplDirDb;
    default: return 0.0;
    }
}

void SetFieldValue(TInputs& m, Input id, double fieldValue, int representation)
{
    const double v = ToStored(InputRow(id), fieldValue);
    switch (id) {
    case Input::AnodeV: m.Va = static_cast<std::int32_t>(v); break;  // whole by its form, within its limits
    case Input::AnodeI: m.Ia = v; break;
    case Input::Effic: m.Eff = v; break;
    case Input::SrcMag: SetReflMagnitude(m.SrcRfl, representation, v); break;
    case Input::SrcPha: m.SrcRfl.Pha = v; break;
    case Input::LoaMag: SetReflMagnitude(m.LoaRfl, representation, v); break;
    case Input::LoaPha: m.LoaRfl.Pha = v; break;
    case Input::Dire: m.CplDirDb = v; break;
    default: break;
    }
}

}  // namespace merivane::present
