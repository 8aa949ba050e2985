// SPDX-License-Identifier: GPL-3.0-or-later
// The isolator between the magnetron and the line: what the tube still sees,
// and the power its dummy load takes.
//
// The isolator passes the reflected wave back to the tube weakened by its
// isolation I, so the tube sees at most |G| = 10^(-I/20) |G_l|. The rest of
// the reflected wave goes into the dummy load: Prefl now, PreflMax at the
// worst phase of the line. The source reflection G_s of the model is then the
// isolator's output match.
#pragma once

#include "Model.h"

namespace merivane {

// |G| = 10^(-I/20) |G_l|
double IsolatedReflection(double isolationDb, double gammaMag);

struct TIsolatorInputs {
    double IsolationDb = 0.0;
    double DummyRatingW = 0.0;  // the dummy load's rating; 0 when not set
};

// JSON "isolator": magnetron_swr_max, dummy_load_w, dummy_load_max_w.
struct TIsolatorResult {
    double MagnetronMagMax = 0.0;  // the highest reflection the tube sees
    double MagnetronSwrMax = 1.0;
    double DummyLoadW = 0.0;       // Prefl
    double DummyLoadMaxW = 0.0;    // PreflMax
    bool RatingSet = false;
    bool WithinRating = true;      // the actual power at most the rating
    bool MaxWithinRating = true;   // the power at the worst phase at most the rating
};

// From the computed model's LoaRfl.Mag, Prefl and PreflMax, with the case's
// line (pass = e^(-2 alpha L)) between the isolator and the load: the
// reflected wave reaches the isolator as |Gl| e^(-2 alpha L) and with
// e^(-2 alpha L) of the power reflected at the load.
TIsolatorResult CalcIsolator(const TModel& m, const TIsolatorInputs& in, double pass = 1.0);

}  // namespace merivane
