// SPDX-License-Identifier: GPL-3.0-or-later
// The magnetron and the measurement in the case: what the user tells of the
// tube (its pulling, an isolator and its dummy load) and of the measurement
// (the couplers' uncertainties, a trip ratio, the water load), and every
// result computed from them with the transmission model and the line.
#pragma once

#include "Isolator.h"
#include "LineSweep.h"
#include "Magnetron.h"
#include "Model.h"
#include "Uncertainty.h"
#include "WaterLoad.h"

#include <vector>

namespace merivane::present {

// Case file section "magnetron". Defaults from TubeRows(): 0, not set.
struct TMagnetronSetup {
    double pullingMHz = 0.0;    // the datasheet's pulling figure at SWR 1.5
    double qext = 0.0;          // when > 0, used instead of the pulling figure
    double isolationDb = 0.0;   // 0: no isolator
    double dummyRatingW = 0.0;  // 0: no rating set
    bool operator==(const TMagnetronSetup&) const = default;
};

// Case file section "measurement".
struct TMeasurementSetup {
    LeakPhaseModel phaseModel = LeakPhaseModel::Fixed;
    double couplingPct = 0.0;  // standard uncertainty of each coupling factor, k = 1
    double sensorPct = 0.0;    // standard uncertainty of each power sensor, k = 1
    double tripPct = 0.0;      // reflected / forward reading that trips; 0: no trip set
    double waterFlowLpm = 0.0;
    double waterRiseK = 0.0;
    bool operator==(const TMeasurementSetup&) const = default;
};

struct TTubeCase {
    TMagnetronSetup magnetron;
    TMeasurementSetup measurement;
    bool operator==(const TTubeCase&) const = default;
};

// The defaults of TubeRows() and the fixed leak phase.
TTubeCase DefaultTubeCase();

// Every result of the tube and the measurement.
struct TTubeResult {
    // The reflection the magnetron sees at f0: the load's, weakened by the
    // line's e^(-2 alpha L) and the isolator's 10^(-I/20) when there is one
    // (its phase is not known, the load's is kept).
    TRefl seen;
    TMagnetronResult magnetron;
    TIsolatorResult isolator;
    TUncertainty uncertainty;
    TTripLevels trip;
    TCalorimetry calorimetry;
};

// From the computed model (its load, powers and couplers) and the line, whose
// pass factor e^(-2 alpha L) weakens the reflection the tube sees.
TTubeResult ComputeTube(const TModel& m, const TSweepInputs& line, const TTubeCase& t, double pass = 1.0);

// The frequency the tube is pulled to when the line is longer by a round-trip
// phase change of phaseDeg: f0 + df(G e^(-j phaseDeg)), G the reflection it
// sees; f0 when Qext is not known.
double PulledFrequencyAtPhaseMHz(const TRefl& seen, double f0MHz, double qext, double phaseDeg);
// The same along the Line Sweep's curve, one value for each of sweep.X: over
// the added length (x in mm: the round-trip phase change is 720 x / lambda_g)
// or over the round-trip phase change (x in degrees). Empty when Qext is not
// known or the sweep has no curve.
std::vector<double> PulledFrequencyCurve(const TTubeResult& r, const TSweepInputs& line, const TSweepResult& sweep);

}  // namespace merivane::present
