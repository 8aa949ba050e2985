// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc's tuner: --match METHOD, --tuner-spacing MM and
// --screw-table FILE.csv read into the case, and the match written as text
// lines, as the JSON object "match" and as CSV columns (one case and the
// batch). The names follow the README's section on the tuner.
#pragma once

#include "Inputs.h"
#include "TunerInput.h"

#include <string>

class QCommandLineParser;

namespace merivane {

// --match, --tuner-spacing and --screw-table
void AddMatchOptions(QCommandLineParser& parser);
// Reads those given into c (over a case file's); false with error set, the
// option named.
bool ReadMatchOptions(const QCommandLineParser& parser, TCliCase& c, std::string& error);
// The case's match (its snapshot's) added to one case's output in format
// 0 text, 1 CSV, 2 JSON.
void AddMatchOutput(std::string& out, int format, const present::TSnapshot& s);

// The option texts, read into c.c.tuner; c.match is set by a method. False
// with error set (the quoted text and why) on a bad value.
bool ReadMatchMethod(std::string_view text, TCliCase& c, std::string& error);
bool ReadTunerSpacing(std::string_view text, TCliCase& c, std::string& error);
// The CSV file's text, already read.
bool ReadScrewTableText(std::string_view text, TCliCase& c, std::string& error);


// Adds the object "match" as the last member of a JSON object's text that
// ends in "\n}\n".
void AddMatchJson(std::string& json, const present::TTunerResult& t);

// The match's CSV columns for method, each after a comma: load_g, load_b,
// matchable, matched_absorbed_w, the magnetron's reflection after the match
// (seen_reflection), then two solutions' columns (one for the three-stub
// tuner): distance_mm_N, susceptance_N, stub_length_mm_N (single stub),
// b1_1, b2_1, b3_1 (three-stub), ba_N, bb_N (double stub), reactance_N,
// susceptance_N, order_N (E-H tuner). Empty cells where there is none.
std::string MatchCsvHeader(MatchMethod method);
void AppendMatchCsv(std::string& out, const present::TTunerResult& t);

// Adds the columns to a one-case CSV's header and row (the text's two lines).
void AddMatchCsv(std::string& csv, const present::TTunerResult& t);

}  // namespace merivane
