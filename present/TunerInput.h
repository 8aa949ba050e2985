// SPDX-License-Identifier: GPL-3.0-or-later
// The tuner's inputs of the case and what the case computes of them: the
// method, the spacing of the stubs, the solution chosen, and the screws'
// calibration table; the match, the power after it and the screw depths.
// Limits and defaults are rows of the input table (TunerLimits()).
#pragma once

#include "Tuner.h"

#include <span>
#include <string_view>
#include <vector>

namespace merivane::present {

// One row of a screw's calibration: at this depth the screw offers this
// normalised shunt susceptance, at the case's frequency.
struct TScrewPoint {
    double depthMm = 0.0;
    double susceptance = 0.0;
    bool operator==(const TScrewPoint&) const = default;
};

// The limits of the tuner's inputs. The spacing, the solution and a screw
// table's depth and susceptance are rows of the input table (TunerSpacing,
// TunerSolution, ScrewDepthMm, ScrewSusceptance); this is a view onto them,
// with the limits of a calibration table's rows beside.
struct TTunerLimits {
    double spacingLo, spacingHi;  // mm; 0 is the default spacing
    int solutionLo, solutionHi;   // counted from 0
    MatchMethod methodDefault;
    int screwRowsMin, screwRowsMax;
    double depthLo, depthHi;  // mm
    double susceptanceMax;    // |b| at most
    // the least steps between rows, so that the interpolation's slopes stay finite
    double depthStepMin, susceptanceStepMin;
};
inline constexpr MatchMethod kDefaultMatchMethod = MatchMethod::ThreeStub;  // the tuner of industrial heating
TTunerLimits TunerLimits();

struct TTunerInputs {
    MatchMethod method = kDefaultMatchMethod;
    double spacingMm = 0.0;  // 0: the method's default, lg/4 (three-stub) or lg/8 (double stub)
    int solution = 0;        // the solution chosen, counted from 0
    std::vector<TScrewPoint> screws;  // empty: no calibration, only b is shown
    bool operator==(const TTunerInputs&) const = default;
};

// The methods as the command line, the case file and the view name them.
struct TMethodName {
    MatchMethod method;
    const char* name;     // "three-stub"
    const char* caption;  // "Three-stub tuner"
};
std::span<const TMethodName> MethodNames();
// false when text names no method (case ignored)
bool MethodByName(std::string_view text, MatchMethod& method);

// The solver's status in words: "matched", "not matchable with capacitive
// screws", "not matchable with these stubs", "not matchable: the spacing is
// a multiple of half a guide wavelength", ...
const char* MatchStatusText(const char* status);
const char* MethodCaption(MatchMethod method);

// Where a screw stands for a susceptance.
enum class ScrewDepth {
    None,    // no calibration table
    Out,     // b = 0: the screw is drawn out
    Depth,   // depthMm holds the depth
    Beyond,  // the susceptance lies outside the table
};
struct TScrewSetting {
    ScrewDepth kind = ScrewDepth::None;
    double depthMm = 0.0;
};

// Where a screw of the table stands for b (None without a table).
TScrewSetting ScrewSettingFor(const std::vector<TScrewPoint>& table, double b);

struct TTunerResult {
    TMatchResult match;
    int solution = 0;  // the chosen one, within the solutions found (0 when none)
    cplx residual;     // the reflection left by the chosen solution
    TAfterMatch after;
    // For the stub tuners, each solution's screw depths (b1..b3 or bA, bB);
    // for the single stub and the E-H tuner the shunt susceptance's in [0].
    TScrewSetting screws[2][3];
};

// The match of the load the model holds, on the case's line.
TTunerResult ComputeTuner(const TTunerInputs& in, const TModel& m, const TSweepInputs& line);

}  // namespace merivane::present
