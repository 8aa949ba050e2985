// The number texts of the result cells: decibels, return loss and SWR, with
// the fixed texts for infinite values.
#pragma once

#include <string>

namespace merivane::present {

// A power ratio in dB: "+oo" from 1e16 on, "-oo" at and below 1e-16 (both by
// magnitude), otherwise 10 log10 x with 2 decimals.
std::string DbStr(double x);
// A return loss in dB: "-oo" at and below -160, "+oo" from the 1e16 sentinel
// on, otherwise with 2 decimals.
std::string RlossStr(double r);
// An SWR with 3 decimals below 9999, "+oo" from 9999 on.
std::string SwrStr(double s);

// A number with the given decimals (FormatReal).
std::string Fixed(double x, int decimals);
// A reflection's magnitude, 0 .. 1, always with four decimals and never in
// exponent form: "0.0725", not "7.2454E-2"; in any locale.
std::string MagnitudeText(double mag);

}  // namespace merivane::present
