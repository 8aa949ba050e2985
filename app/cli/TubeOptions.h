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
#include <string>
#include <string_view>
#include <vector>

namespace merivane {

// Adds the options to the parser.
void AddTubeOptions(QCommandLineParser& parser);

// Whether any of the options is given.
bool TubeOptionsGiven(const QCommandLineParser& parser);

// The options given, over what t holds (a case file's values or the
// defaults). False, with the message written to err, on a bad value;
// warnings go to err too.
bool ReadTubeOptions(const QCommandLineParser& parser, present::TTubeCase& t, std::FILE* err);

// The magnetron's and the measurement's results added to one case's output:
// two sections after the text's, the JSON's five objects, the CSV's columns.
enum class TubeForm { Text, Csv, Json };
void AppendTubeOutput(std::string& out, TubeForm form, const present::TSnapshot& s);

// The batch's columns of the same inputs, named as the options without "--"
// (pulling, isolator, ..., phase-model): a cell overrides the option for its
// row, an empty cell keeps it.
class TTubeColumns {
public:
    // Whether a header cell names one of them; its place is kept.
    bool Take(std::string_view name, std::size_t column);
    bool Any() const { return !columns_.empty(); }
    // A row's cells over t. False, with error ("trip \"x\": not a number"),
    // on a bad cell; a clamp appends its warning ("trip \"150\": ...").
    bool Apply(const std::vector<std::string>& cells, present::TTubeCase& t, std::string& error,
               std::vector<std::string>& warnings) const;

private:
    std::vector<std::pair<int, std::size_t>> columns_;  // index into the options (-1: the phase model), column
};

}  // namespace merivane
