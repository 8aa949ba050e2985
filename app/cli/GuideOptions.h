// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc's options of the guide and the line's loss, and what they
// add to the output.
//
//   --loss DB_PER_M       the line's attenuation as entered (any line, coax too)
//   --conductor METAL     the TE10 conductor attenuation of copper, aluminium
//                         or brass walls (a waveguide)
//   --breakdown KV_PER_M  the breakdown field the peak field is held against
//   --guide-height MM     the custom waveguide's height
//
// With any of them (or a case file whose guide is not the default) the JSON
// has an object "guide": peak_field_kv_per_m, peak_field_max_kv_per_m,
// breakdown_margin, attenuation_db_per_m, line_loss_w, absorbed_w,
// source_end_reflection (null where not defined); the text a
// section "Guide"; the CSV and the batch rows the same names as columns.
#pragma once

#include "Case.h"
#include "GuideInputs.h"
#include "Inputs.h"

#include <QCommandLineParser>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace merivane {

void AddGuideOptions(QCommandLineParser& parser);

// The options given, into c.c.guide (and c.guideGiven). False with error set on
// a bad value: not a number, an unknown metal, --loss beside --conductor.
// A clamp is a warning.
bool ReadGuideOptions(const QCommandLineParser& parser, TCliCase& c, std::string& error,
                      std::vector<std::string>& warnings);

// The output's names and numbers, null (nullopt) where not defined.
std::vector<std::pair<const char*, std::optional<double>>> GuideNumbers(const present::TGuideResult& g);

// The JSON with the object "guide" before "display".
std::string WithGuideJson(const std::string& json, const present::TGuideResult& g);
// The case's CSV (a header and a row) with the guide's columns at the end.
std::string WithGuideCsv(const std::string& csv, const present::TGuideResult& g);
// The batch: ",NAME..." after the header, ",VALUE..." after a row.
void AppendGuideHeader(std::string& out);
void AppendGuideCsv(std::string& out, const present::TGuideResult& g);

}  // namespace merivane
