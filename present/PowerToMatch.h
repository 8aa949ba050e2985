// SPDX-License-Identifier: GPL-3.0-or-later
// Power to Match entered instead of the anode current: the magnetron gives
// Pmatch = Va * Ia * Eff into a matched load, so the current that gives a
// power P is Ia = P / (Va * Eff), clamped to the anode current's limits as
// its field clamps it. The window's input panel and merivane-calc's
// --power-to-match both set the current so.
#pragma once

#include "Model.h"

#include <string>

namespace merivane::present {

struct TCurrentForPower {
    bool ok = false;         // a power in watts (finite, not negative), and Va and Eff above 0
    double amps = 0.0;       // when ok: the current to use, within the anode current's limits, to the field's decimals
    double unclamped = 0.0;  // when ok: P / (Va * Eff) before the limits
    bool clamped = false;    // amps is a limit, not P / (Va * Eff)
};

// The anode current that makes in's matched power the power typed (a number
// in watts, read as the fields read numbers).
TCurrentForPower CurrentForPower(const TInputs& in, const std::string& typed);

}  // namespace merivane::present
