// SPDX-License-Identifier: GPL-3.0-or-later
#include "PowerToMatch.h"

#include "EntryReader.h"
#include "InputRows.h"
#include "NumberText.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace merivane::present {

TCurrentForPower CurrentForPower(const TInputs& in, const std::string& typed)
{
    TCurrentForPower r;
    std::optional<double> watts;
    try {
        watts = RealFromText(typed);
    } catch (const EOverflow&) {
        return r;  // beyond the double range: no power in watts
    }
    const double va = in.Va, eff = in.Eff;
    if (!watts || !std::isfinite(*watts) || *watts < 0.0 || !(va > 0.0) || !(eff > 0.0)) return r;
    const TInputRow& ia = InputRow(Input::AnodeI);
    r.ok = true;
    r.unclamped = *watts / (va * eff);  // Ia = Pmatch / (Va Eff)
    r.amps = std::clamp(r.unclamped, ia.lo, ia.hi);
    r.clamped = r.amps != r.unclamped;
    r.amps = RoundedToField(ia, r.amps);  // the field's 3 decimals: 1.849 A
    return r;
}

}  // namespace merivane::present
