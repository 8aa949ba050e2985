// SPDX-License-Identifier: GPL-3.0-or-later
// The inputs of the "Line Sweep" page in their own settings file,
// "MerivaneSweep.ini", beside "Merivane.ini": one section, one key per input.
#pragma once

#include "LineSweep.h"

#include <QString>

namespace merivane {
class TIniFile;
}

inline constexpr const char* kSweepSettingsFile = "MerivaneSweep.ini";
inline constexpr const char* kSweepSection = "Line Sweep";

// A missing file, section or key, or a value that is no number (or no known
// line type), gives that input's default; a number out of range is clamped.
// Never throws: a number beyond the double range also gives the default.
merivane::TSweepInputs ReadSweepSettings(merivane::TIniFile& ini);
// Erases every section, writes the inputs and saves the file atomically.
// Throws EWriteError ("Unable to write to <path>").
void WriteSweepSettings(merivane::TIniFile& ini, const merivane::TSweepInputs& in);
