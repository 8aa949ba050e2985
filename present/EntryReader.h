// SPDX-License-Identifier: GPL-3.0-or-later
// The one reader of typed numbers: a field's text, read by its row of the
// input table, gives the value that comes into force and what happened on
// the way. The window, merivane-calc, the settings loader and the notes on
// entries all read through it; nobody parses a field's text again.
#pragma once

#include "InputRows.h"
#include "Model.h"

#include <string>
#include <string_view>

namespace merivane::present {

enum class Outcome {
    Taken,       // as typed (perhaps scaled by a unit prefix)
    NotANumber,  // the value in force stays
    Below,       // clamped to the lower limit, or (a reflection) the value in force stays
    Above,       // likewise at the upper limit
    Wrapped,     // a phase reduced by whole turns
    ReturnLoss,  // a positive dB read as a return loss
};

struct TReading {
    double value = 0.0;  // the value in force afterwards, in the field's unit
    Outcome outcome = Outcome::Taken;
    bool kept = false;   // value is the fallback
    double number = 0.0; // what the text held, after a unit prefix; infinite beyond the double range
    int exponent = 0;    // the power of ten of a unit prefix ("300 mA": -3); 0 without one
    double turns = 0.0;  // whole turns taken off a wrapped phase (270: one turn)
};

// Reads text into a value of the field; fallback is the value in force, in
// the field's unit. representation is the reflection list's index (a
// reflection field only). Never throws: a number beyond the double range is
// beyond the limits.
TReading ReadEntry(const TInputRow& inputRow, std::string_view text, double fallback, int representation = 0);

// The stored value from the field's value and back: the efficiency is typed
// in percent and stored as a fraction.
double ToStored(const TInputRow& inputRow, double fieldValue);
double ToField(const TInputRow& inputRow, double stored);

// The text a field is written with so that it reads back to exactly the
// stored value: the window's usual text where it does ("85", "0.5", "4000"),
// else the shortest decimal text that does ("0.9995", "85.7", "1.23456").
std::string EntryText(const TInputRow& inputRow, double stored, int representation = 0);

// A value the program computes for a field (a current for a power, a
// magnitude in another representation, a point on the Smith chart), rounded
// to the field's decimals (its representation's for a reflection) so that the
// field shows a short text that reads back to exactly the value in force:
// 1.849 A, not 1.849002849002849; a value below 1 keeps four significant
// digits (0.0002941 A). In and out in stored units; a value beyond
// 1e15 in the field's unit, or not finite, is returned as it is.
double RoundedToField(const TInputRow& inputRow, double stored, int representation = 0);
// A reflection shown in another representation: its magnitude rounded in
// that representation's decimals (RoundedToField), every form following.
TRefl RoundedInForm(const TRefl& r, int representation);

// A reflection magnitude in force in a representation: sets Mag, Rloss and
// Swr from the one entered (a return loss at or below -160 dB is no
// reflection, an SWR from 9999.999 on a full one). Pha and Mism stay.
void SetReflMagnitude(TRefl& r, int representation, double value);
// The stored value of the representation: Mag, Rloss or Swr.
double ReflValue(const TRefl& r, int representation);

// The note a field's tooltip starts with after an entry: what is in force and
// why, when the entry was not taken as typed; empty otherwise.
std::string EntryNote(const TInputRow& inputRow, std::string_view typed, const TReading& reading, int representation = 0);

// A number as notes and messages write a limit: whole numbers in full
// ("100000"), others in their shortest form.
std::string LimitText(double v);

// At most maxChars characters (UTF-8 sequences, never cut inside one) of a
// text, control characters as blanks; a longer text is cut and ends in "…".
// Every message that quotes a text shortens it through this.
std::string ShortText(std::string_view text, std::size_t maxChars);

// A typed text as a message quotes it: control characters as blanks, and at
// most max characters, then "…".
std::string QuoteTyped(std::string_view typed, std::size_t max = 24);

}  // namespace merivane::present
