// SPDX-License-Identifier: GPL-3.0-or-later
// The inputs of one case read from text, with the window's limits and number
// rules (the one reader of the input table). Where the window keeps the previous value, the command line has none
// to keep: a text that is not a number, and a reflection outside its limits,
// are errors. Any other number outside its limits is clamped, as in the
// window, and the clamp is reported as a warning.
#pragma once

#include "CaseModel.h"
#include "Display.h"
#include "GuideInputs.h"
#include "LineSweep.h"
#include "Model.h"

#include <string>
#include <string_view>

namespace merivane {

// The case's six inputs, then the line of the Line Sweep page.
enum class InputId { Va, Ia, Eff, Source, Load, Directivity, Frequency, Line, Length, Span };
inline constexpr int kInputIdCount = 10;
// "va", ..., "directivity", "frequency", "line", "length", "span": the options'
// names without "--", also the batch columns.
const char* InputIdName(InputId id);

// A case to compute: the model's inputs and the forms the reflections were
// entered in.
struct TCaseInput {
    TModel m;            // Va, Ia, Eff, SrcRfl and LoaRfl (Mag, Pha, Rloss, Swr), CplDirDb
    bool ideal = true;   // no directivity given
    int srcForm = 0;     // 0 Mag, 1 dB, 2 SWR
    int loaForm = 0;
    TSweepInputs line;       // the Line Sweep page's defaults until given
    bool lineGiven = false;  // any of the line's inputs given: the sweep is computed and written
    present::TTunerInputs tuner;  // a case file's, then --match, --tuner-spacing, --screw-table
    bool match = false;           // --match given: the match is computed and written
    present::TGuideInputs guide;  // the line's loss and the guide's limits (GuideOptions.h)
    bool guideGiven = false;      // a guide option or a case file's guide given: the guide is computed and written
};

// 4000 V, 3 A, 85 %, source 0.2 at 0 degrees, load 0.5 at 90 degrees, ideal
// couplers; the window's defaults, with its directivity of 20 dB kept.
TCaseInput DefaultCase();

// A case file's inputs and line as the options would give them: its
// reflections in the forms its lists show, its line given.
TCaseInput FromCase(const present::TCase& c);

struct TReadResult {
    bool ok = true;
    std::string error;    // when not ok: the quoted text and what is wrong with it
    std::string warning;  // a clamp: the quoted text, the limits and the value used
};

// A text as every message quotes it: in double quotes, at most 40
// characters (not bytes), then "…".
std::string Quoted(std::string_view text);

// The line as --line takes it: "WR340", "waveguide:100", "coax:0.66".
std::string LineText(const TSweepInputs& in);

// Reads one input's text into c; c is left as it was on an error. A
// reflection is MAG, db:RLOSS or swr:SWR, optionally followed by @PHASE; without
// a phase it keeps the one c has. An empty directivity means ideal couplers. A
// line is WR284, WR340, WR430, WR975 (any case), waveguide:WIDTH_MM or
// coax[:VF]; a line's input sets c.lineGiven.
TReadResult ReadInput(InputId id, std::string_view text, TCaseInput& c);

// Computes the case: the transmission model, then the couplers.
void Compute(TCaseInput& c);

}  // namespace merivane
