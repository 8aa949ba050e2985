// SPDX-License-Identifier: GPL-3.0-or-later
// The magnetron and the measurement as data, for merivane-calc's JSON and
// CSV and the batch rows. Five JSON objects, null where a number is not
// defined (no pulling figure, a full reflection, an infinite length):
//   "magnetron":   qext, shift_mhz, shift_min_mhz, shift_max_mhz, critical_length_m,
//                  frequencies_mhz (a list: more than one, the tube can jump)
//   "isolator":    magnetron_swr_max, dummy_load_w, dummy_load_max_w
//   "uncertainty": directivity_pct, coupling_pct, sensor_pct, combined_pct, expanded_pct
//   "trip":        sure_above_mag, never_below_mag, sure_above_swr, never_below_swr
//   "calorimetry": power_w, difference_db
// The CSV columns carry the same names, the calorimetry's prefixed
// (calorimetry_power_w, calorimetry_difference_db), the frequencies in one
// cell separated by blanks, an empty cell for null.
#pragma once

#include "MagnetronCase.h"

#include <string>

namespace merivane::present {

// Inserts the five objects before the closing brace of a JSON object's text
// (as CaseJson writes it, ending in "}\n").
void InsertTubeJson(std::string& json, const TTubeResult& r);

// The CSV header's names, each after a comma.
void AppendTubeCsvHeader(std::string& out);
// The CSV cells, each after a comma.
void AppendTubeCsv(std::string& out, const TTubeResult& r);
// Appends the columns to a CSV of a header line and one row (CaseCsv).
void ExtendCaseCsv(std::string& csv, const TTubeResult& r);

}  // namespace merivane::present
