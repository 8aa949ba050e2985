// SPDX-License-Identifier: GPL-3.0-or-later
// The Tuner view's readouts and its table of solutions as texts: the view
// shows them, the report and merivane-calc's match output write the same.
// Powers follow the cells' rule (PowerCell) in the display's power unit;
// texts are UTF-8.
#pragma once

#include "Case.h"
#include "CaseModel.h"

#include <string>
#include <vector>

namespace merivane::present {

inline constexpr const char* kTunerTitle = "Tuner";

// The readouts in the view's order; the table of solutions stands between
// Admittance and Status.
enum class TunerReadout { Line, Admittance, Status, Power, Seen, Calibration };
inline constexpr int kTunerReadoutCount = 6;

// "Guide Wavelength and Spacing", "Load Admittance", "Match Status", "Power
// After the Match", "Reflection the Magnetron Then Sees", "Screw Calibration".
const char* TunerReadoutCaption(TunerReadout id);

struct TTunerReadouts {
    // index by TunerReadout; an empty text where the readout has nothing to say
    std::string text[kTunerReadoutCount];
    const std::string& operator[](TunerReadout id) const { return text[static_cast<int>(id)]; }
};

// "λg 173.38 mm, stubs 43.35 mm apart"; "Load admittance y = 1.1053 − j0.9116";
// "Matchable: the settings above match the load." or the status in words;
// "Absorbed now 840 W, with the load matched 1 kW: a gain of 19.0 % (0.76
// dB)."; "The magnetron then sees |Γ| = 0.4000 (SWR 2.333)." (the SWR by the
// cells' rule); the screws' calibration table in a line.
TTunerReadouts TunerReadouts(const TTunerResult& t, const std::vector<TScrewPoint>& screws, PowerUnit unit);
TTunerReadouts TunerReadouts(const TSnapshot& s);

// The solutions as the view's table: one row a solution, the columns the
// method's settings, and with a calibration the screws' depths.
struct TSolutionTable {
    std::vector<std::string> headers;            // "b1", "Distance (mm)", "Depth 2 (mm)"
    std::vector<std::vector<std::string>> rows;  // "0.0544", "-0.8729", "out", "beyond the table"
};
TSolutionTable SolutionTable(const TTunerResult& t, bool withScrews);
// "Solution 1"
std::string SolutionCaption(int i);

// "Tuner": the method, the readouts, and each solution as one row of its
// settings ("b1 0.0000, b2 0.0544, b3 0.9258"), the chosen one marked.
TSection TunerSection(const TTunerResult& t, const TTunerInputs& in, PowerUnit unit);
TSection TunerSection(const TSnapshot& s);

}  // namespace merivane::present
