// SPDX-License-Identifier: GPL-3.0-or-later
// An input as merivane-calc and the case files write it: a number of a field
// of the input table, or a reflection "MAG", "mag:MAG", "db:RLOSS" or
// "swr:SWR", optionally followed by "@PHASE". Everything is read through the
// one reader of the input table; nothing here parses a number itself.
#pragma once

#include "InputRows.h"
#include "Model.h"

#include <string>
#include <string_view>

namespace merivane::present {

struct TInputReading {
    bool ok = true;
    std::string error;    // when not ok: the quoted text and what is wrong with it
    std::string warning;  // a clamp: the quoted text, the limits and the value used
};

// Reads a number of the field id as merivane-calc does: not a number is an
// error, a number beyond the limits is clamped with a warning, a wrapped phase
// is taken silently. what is put before the complaint ("phase "); the
// messages quote whole, the text the user wrote, or text when whole is empty
// ("waveguide:5" for the width "5"). value is set only when ok.
TInputReading ReadInputNumber(Input id, std::string_view text, double& value, std::string_view what = {},
                              std::string_view whole = {});

// Reads a reflection into refl and form (0 Mag, 1 dB, 2 SWR), by the rows of
// its magnitude and its phase (SrcMag and SrcPha, or LoaMag and LoaPha). A
// positive dB is a return loss, a phase wraps, a phase left out keeps the one
// refl has. A magnitude outside its representation's limits is an error:
// there is no value in force to keep. refl and form change only when ok.
TInputReading ReadReflectionInput(std::string_view text, Input magnitudeId, Input phaseId, TRefl& refl, int& form);

// The text a reflection is written with so that it reads back exactly: its
// magnitude in form (no prefix for Mag, "db:" or "swr:") and "@" with its
// phase, each the shortest text the reader takes back to the same double.
std::string ReflectionInputText(const TRefl& refl, int form, Input magnitudeId, Input phaseId);

}  // namespace merivane::present
