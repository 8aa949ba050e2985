// The note a field's tooltip starts with when the evaluation cycle did not
// take its entry as typed: not a number, out of range, clamped, moved by its
// spinner, or scaled by a unit prefix. Empty when the entry was taken as typed.
#pragma once

#include "Model.h"

#include <string>

namespace merivane::present {

// The numeric input fields, by what they hold.
enum class EntryKind {
    Volts,     // anode voltage: whole volts, 0..100000, clamped
    Amperes,   // anode current: 0..1000 A, clamped after a mA or kA prefix is applied
    Percent,   // efficiency: 0..100 %, clamped; spinner 0..100 in steps of 1
    Degrees,   // a phase: -180..180, clamped; spinner -180..180 in steps of 5
    Decibels,  // directivity: 0..160 dB, clamped; spinner 0..100 in steps of 1
};

// typed: the text the cycle read; inForce: the value the model holds after the
// read, in the field's unit (percent for the efficiency); shown: the field's
// text after the write-back.
std::string EntryNote(EntryKind kind, const std::string& typed, double inForce, const std::string& shown);

// A reflection magnitude read in a representation (1 dB, 2 SWR, any other
// Mag); out of range it is rejected and the value in force stays.
std::string ReflectionNote(int representation, const std::string& typed, const TRefl& inForce);

// A number field clamped to lo .. hi (the fields of the Line Sweep page): the
// note for a text that is no number, or a number beyond a limit. unit follows
// a number as it is written: " MHz", or "" for a plain factor.
std::string RangeNote(const std::string& typed, double inForce, double lo, double hi, const std::string& unit);

}  // namespace merivane::present
