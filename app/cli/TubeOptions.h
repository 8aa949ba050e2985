// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc's options of the magnetron and the measurement: --pulling,
// --isolator, --dummy-rating, --phase-model, --coupling-uncertainty,
// --sensor-uncertainty, --trip, --water-flow, --water-rise. Numbers are read
// by the limits of the case's table (TubeRows): not a number is an error, a
// number beyond the limits is clamped with a warning.
#pragma once

#include "CaseModel.h"
#include "MagnetronCase.h"

#include <QCommandLineParser>

#include <cstdio>

namespace merivane {

// Adds the options to the parser.
void AddTubeOptions(QCommandLineParser& parser);

// Whether any of the options is given.
bool TubeOptionsGiven(const QCommandLineParser& parser);

// The options given, over what t holds (a case file's values or the
// defaults). False, with the message written to err, on a bad value;
// warnings go to err too.
bool ReadTubeOptions(const QCommandLineParser& parser, present::TTubeCase& t, std::FILE* err);

// A snapshot of the computed model with the tube's results, for the rows of
// the magnetron and the measurement: the model's inputs and results, the
// line, the tube's inputs and the display's power unit.
present::TSnapshot TubeSnapshot(const TModel& m, const TSweepInputs& line, const present::TTubeCase& t,
                                const present::TDisplay& d);

}  // namespace merivane
