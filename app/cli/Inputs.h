// SPDX-License-Identifier: GPL-3.0-or-later
// The inputs of one case read from text, with the window's limits and number
// rules (the one reader of the input table). Where the window keeps the previous value, the command line has none
// to keep: a text that is not a number, and a reflection outside its limits,
// are errors. Any other number outside its limits is clamped, as in the
// window, and the clamp is reported as a warning.
#pragma once

#include "Display.h"
#include "Model.h"

#include <string>
#include <string_view>

namespace merivane {

enum class InputId { Va, Ia, Eff, Source, Load, Directivity };

// A case to compute: the model's inputs and the forms the reflections were
// entered in.
struct TCaseInput {
    TModel m;            // Va, Ia, Eff, SrcRfl and LoaRfl (Mag, Pha, Rloss, Swr), CplDirDb
    bool ideal = true;   // no directivity given
    int srcForm = 0;     // 0 Mag, 1 dB, 2 SWR
    int loaForm = 0;
};

// 4000 V, 3 A, 85 %, source 0.2 at 0 degrees, load 0.5 at 90 degrees, ideal
// couplers; the window's defaults, with its directivity of 20 dB kept.
TCaseInput DefaultCase();

struct TReadResult {
    bool ok = true;
    std::string error;    // when not ok: the quoted text and what is wrong with it
    std::string warning;  // a clamp: the quoted text, the limits and the value used
};

// Reads one input's text into c; c is left as it was on an error. A
// reflection is MAG, db:RLOSS or swr:SWR, optionally followed by @PHASE; without
// a phase it keeps the one c has. An empty directivity means ideal couplers.
TReadResult ReadInput(InputId id, std::string_view text, TCaseInput& c);

// Computes the case: the transmission model, then the couplers.
void Compute(TCaseInput& c);

}  // namespace merivane
