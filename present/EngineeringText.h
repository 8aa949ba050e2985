// SPDX-License-Identifier: GPL-3.0-or-later
// A measured or computed quantity as an engineer reads it: so many
// significant digits, plain decimals and never an exponent, a unit prefix
// (m, k, M, ...) for volts, watts and hertz. "1.849", "96 kV", "−0.0318 dB",
// "0.00517 mm". The minus is U+2212; the texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace merivane::present {

// x rounded to digits significant digits (1 .. 17), trailing zeros of the
// fraction dropped. With a unit, the unit follows after a blank: "V", "W" and
// "Hz" take the prefix that leaves 1 to 999 before the point ("4.5 kV",
// "500 mW"), any other unit none ("0.00517 mm"). A value of at least
// 10^digits keeps its whole digits: "123457". Zero, and any |x| below 1e-12
// of scale (the size of the quantity the value belongs to), is "0"; "n/a" for
// no number, "∞" for an infinite one.
std::string EngineeringText(double x, int digits, std::string_view unit = {}, double scale = 1.0);

// The printf format of the labels of an axis from lo to hi ticked at
// multiples of step: every label in plain digits, never an exponent, no
// trailing zeros ("%.5g" for 2450 .. 2455 by 0.5: "2452", "2452.5").
std::string AxisLabelFormat(double lo, double hi, double step);

}  // namespace merivane::present
