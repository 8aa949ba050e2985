// SPDX-License-Identifier: GPL-3.0-or-later
// The case: everything the user enters, with the display choices beside it,
// and the one pure function that computes every result from it. The window,
// the Workbench, the case files and merivane-calc all hold a case and read
// its snapshot; nothing else computes.
#pragma once

#include "ApplicatorCase.h"
#include "Display.h"
#include "GuideInputs.h"
#include "LineSweep.h"
#include "MagnetronCase.h"
#include "MeasuredCase.h"
#include "Model.h"
#include "Process.h"
#include "TunerInput.h"

#include <cstdint>
#include <optional>
#include <string>

namespace merivane::present {

struct TCase {
    std::string name;
    // The inputs: Va, Ia, Eff, SrcRfl and LoaRfl (Mag, Pha, Rloss, Swr, the
    // representation entered stored as typed), CplDirDb.
    TInputs inputs;
    bool ideal = true;  // couplers without leakage; CplDirDb is kept for when they get one
    TSweepInputs line;
    // The display choices: the power unit and the representation lists here,
    // the factor and measurement units as the model's SelUnit and SelErrUnit.
    TDisplay display;
    int factorUnit = 0;  // 0 Mag, 1 %, 2 dB
    int measUnit = 0;    // 0 Power, 1 %, 2 dB
    TTunerInputs tuner;  // the Tuner view's method, spacing, solution and screw table
    TGuideInputs guide;  // the line's loss and the guide's limits (GuideInputs.h)
    TTubeCase tube;      // the magnetron's pulling and isolator, the measurement's uncertainties
    // A measured load: while it is set, the load reflection follows it at the
    // line's frequency (the snapshot's inputs hold the Γ taken from it).
    std::optional<TMeasuredLoad> measured;
    // The process: the loads as the product heats, the first the nominal
    // one; with robust, the one tuner setting that holds for all of them
    // (and a measured load's band) is computed into the snapshot.
    std::vector<TSetLoad> loadSet;
    bool robust = false;
    // Several magnetrons feeding one applicator: its N-port measurement and
    // a feed on each port (ApplicatorCase.h); computed into the snapshot.
    std::optional<TApplicatorCase> applicator;
    // Two cases with the same inputs and choices, bit for bit.
    bool operator==(const TCase&) const = default;
};

// The input table's defaults, ideal couplers, the Line Sweep's defaults, Watts.
TCase DefaultCase();

// A case after an edit, as the document keeps it, from the case before it:
// a load typed (a load other than before, the measurement the same) detaches
// the measurement; otherwise the load follows the measurement at the line's
// frequency, so that the fields show what the model takes. True when after
// was changed by the measurement (its load fields must be written again).
bool SettleMeasuredLoad(const TCase& before, TCase& after);

// Every result of a case, as it was computed.
struct TSnapshot {
    TCase c;
    TModel m;             // the inputs with every result, CplIdeal the case's
    TSweepCase sweepCase; // what the sweep was computed from: the model, the line and its pass factor
    TSweepResult sweep;   // the Line Sweep page, with its curves
    TTunerResult tuner;   // the match of the load on the line, and the power after it
    TGuideResult guide;   // the peak field, the attenuation and the line's loss; the sweep takes the loss
    TTubeResult tube;     // pulling, long line, isolator, uncertainty, trip, water load
    TMeasuredResult measured;  // the load taken from the measurement, when the case has one
    TBandResult band;          // the measured points about the line's frequency (BandHalfMHz), with their powers
    TProcessResult process;    // the robust setting over the load set and the band, when asked for
    TApplicatorSnapshot applicator;  // the feeds' powers at their frequencies, the matrix at the case's
};

// The transmission model, the couplers and the line sweep. Pure: the same
// case gives the same snapshot, bit for bit.
TSnapshot ComputeCase(const TCase& c, int sweepSteps = kSweepSteps);

// The parts of a snapshot beyond the transmission model and the couplers,
// which are always computed.
struct TCaseParts {
    bool guide = true;
    bool sweep = true;
    bool tuner = true;
    bool tube = true;
    bool band = true;     // with a measured load; its default half-width needs the tube
    bool process = true;  // with a robust solve asked for; it needs the band's half-width
    bool applicator = true;  // with an applicator
};

// ComputeCase with only the parts asked for: those are the same, bit for
// bit, as ComputeCase's, the others are left as a default TSnapshot has them.
// For many cases that need a few parts each (merivane-calc's batch rows).
TSnapshot ComputeCase(const TCase& c, const TCaseParts& parts, int sweepSteps = kSweepSteps);

// How many times ComputeCase has run in this process, on every thread: one
// edit is one computation, whichever window or view made it.
std::uint64_t CaseComputations();

}  // namespace merivane::present
