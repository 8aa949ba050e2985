// SPDX-License-Identifier: GPL-3.0-or-later
// The inputs of the "Line Sweep" page as the input table gives them: its
// control, its caption and name, its key in "MerivaneSweep.ini", its limits,
// and here the value of the line it sets.
#pragma once

#include "EntryReader.h"
#include "LineSweep.h"

#include <span>
#include <string>

enum class SweepField { Frequency, Width, Vf, Length, Span };
inline constexpr int kSweepFieldCount = 5;

struct TSweepFieldSpec {
    SweepField field;
    const char* objectName;  // "edSwFreq"
    const char* name;        // "Frequency": the accessible name
    const char* caption;     // "Frequency (MHz)", UTF-8
    const char* unit;        // "MHz"; empty for the velocity factor (the span is +- this)
    const char* key;         // "Frequency"
    double lo, hi;           // the limits, ends included
    double merivane::TSweepInputs::*value;
    const merivane::present::TInputRow* inputRow;  // its row of the input table
};

// In the page's order; the line type stands between the frequency and the width.
std::span<const TSweepFieldSpec> SweepFields();
const TSweepFieldSpec& SweepFieldSpec(SweepField f);

// The line-type list: its control, name and key.
inline constexpr const char* kLineObjectName = "cbSwLine";
inline constexpr const char* kLineName = "Line Type";
inline constexpr const char* kLineKey = "LineType";

// Reads typed text into the field's value through the input table's reader:
// clamped to the limits; a text that is no number keeps the value in force.
merivane::present::TReading ReadSweepField(merivane::TSweepInputs& in, SweepField f, const std::string& text);
// The value as its field shows it: FormatReal with 6 decimals where that
// reads back to the value, else its shortest such text.
std::string SweepFieldText(const merivane::TSweepInputs& in, SweepField f);
// What the width field shows: the preset's width, or the custom one.
std::string WidthFieldText(const merivane::TSweepInputs& in);
