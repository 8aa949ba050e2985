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

#include <cstddef>
#include <string>
#include <string_view>

namespace merivane {

// The case's six inputs, then the line of the Line Sweep page.
enum class InputId { Va, Ia, Eff, Source, Load, Directivity, Frequency, Line, Length, Span };
inline constexpr int kInputIdCount = 10;
// "va", ..., "directivity", "frequency", "line", "length", "span": the options'
// names without "--", also the batch columns.
const char* InputIdName(InputId id);

// The case the options give, and what the command line needs beside it:
// which of its parts were asked for, so which sections are written. The
// reflections' entered forms are c.display.srcRfl and loaRfl (0 Mag, 1 dB,
// 2 SWR), the couplers' ideal c.ideal.
struct TCliCase {
    present::TCase c = present::DefaultCase();
    bool lineGiven = false;   // any of the line's inputs given (or a case file): the sweep is written
    bool match = false;       // --match given: the match is written
    bool guideGiven = false;  // a guide option, or a case file's guide not the default: the guide is written
    bool tubeShown = false;   // a tube option, or a case file's tube not the default: the tube is written
    bool band = false;        // --band: the snapshot's band is written
};

// A case file's case as the options would give it: its reflections in the
// forms its lists show (none selected is Mag), its line given.
TCliCase FromCaseFile(const present::TCase& c);

// The one case's output formats, by --format.
enum Format { kText, kCsv, kJson };

struct TReadResult {
    bool ok = true;
    std::string error;    // when not ok: the quoted text and what is wrong with it
    std::string warning;  // a clamp: the quoted text, the limits and the value used
};

// A text as every message quotes it: in double quotes, at most
// kQuotedChars characters (not bytes), then "…".
inline constexpr std::size_t kQuotedChars = 40;
std::string Quoted(std::string_view text);

// The line as --line takes it: "WR340", "waveguide:100", "coax:0.66".
std::string LineText(const TSweepInputs& in);

// Reads one input's text into c; c is left as it was on an error. A
// reflection is MAG, db:RLOSS or swr:SWR, optionally followed by @PHASE; without
// a phase it keeps the one c has. An empty directivity means ideal couplers. A
// line is WR284, WR340, WR430, WR975 (any case), waveguide:WIDTH_MM or
// coax[:VF]; a line's input sets c.lineGiven.
TReadResult ReadInput(InputId id, std::string_view text, TCliCase& c);

}  // namespace merivane
