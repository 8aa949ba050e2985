// SPDX-License-Identifier: GPL-3.0-or-later
// The power over the length of the line between source and load: guide
// wavelength of the line, the sweep of one period of the interference, the
// length that reaches the maximum or the minimum, the phase spread of
// frequency pulling and the statistics of a random line phase.
#pragma once

#include "Model.h"

#include <span>
#include <vector>

namespace merivane {

inline constexpr double kLightSpeed = 299792458.0;  // m/s

enum class LineType { WR284, WR340, WR430, WR975, CustomWaveguide, Coax };

struct TLineTypeSpec {
    LineType type;
    const char* name;  // "WR340"
    double widthMm;    // broad-wall width of a preset; 0 for the custom waveguide and coax
    double heightMm;   // narrow-wall height of a preset (the standard b); 0 where unknown
};

// In list order: the four presets, "Custom waveguide", "Coax / TEM".
std::span<const TLineTypeSpec> LineTypes();
const TLineTypeSpec& LineTypeSpec(LineType type);
bool IsWaveguide(LineType type);

// What the user tells about the line.
struct TSweepInputs {
    double FreqMHz = 2450.0;
    LineType Line = LineType::WR340;
    double WidthMm = 86.36;  // broad-wall width of the custom waveguide
    double Vf = 1.0;         // velocity factor of the coaxial line, 0 < vf <= 1 (the page takes 0.1 .. 1)
    double LengthM = 0.0;    // line between the two reference planes
    double SpanMHz = 0.0;    // frequency pulling, +- this
    // false when nothing is known of the line (the command line's report): the
    // sweep then runs over the round-trip phase, as below cut-off
    bool LineKnown = true;
    bool operator==(const TSweepInputs&) const = default;
};

// The model as the window computed it, with the line. A lossy line (attenuation
// alpha over the length L) passes PassFactor = e^(-2 alpha L) of the power one
// way: the source end then sees Gl e^(-2 alpha L), and the load takes
// e^(-2 alpha L) (1 - |Gl|^2) of the forward wave at the source end. Only M's
// inputs are read (and its Pav, which the line leaves alone): M computed with
// or without the line's pass factor gives the same sweep. With 1 (no loss)
// every result is the lossless model's, bit for bit.
struct TSweepCase {
    TModel M;
    TSweepInputs In;
    double PassFactor = 1.0;
};

// The wave in the line at one frequency.
struct TGuide {
    bool propagates = false;
    double wavelengthMm = 0.0;  // guide wavelength; 0 when the wave does not propagate
    double cutoffMHz = 0.0;     // TE10 cut-off; 0 for a TEM line
};

double FreeSpaceWavelengthMm(double fMHz);
// TE10 cut-off of a rectangular waveguide of broad-wall width a: c / 2a.
double CutoffMHz(double widthMm);
// The broad-wall width in force: the preset's, or the custom one.
double BroadWallMm(const TSweepInputs& in);
TGuide GuideAt(const TSweepInputs& in, double fMHz);
// The cut-off of the next mode after TE10, above which more than one mode
// propagates: the lower of TE20 (c / a) and TE01 (c / 2b) for a preset, TE20
// alone for the custom waveguide (its height is not known); 0 for a TEM line.
double NextModeCutoffMHz(const TSweepInputs& in);
// 1 / guide wavelength in 1/mm; 0 where no wave propagates (and for f <= 0).
double InverseGuideWavelength(const TSweepInputs& in, double fMHz);

// The five powers at one added length.
struct TSweepPoint {
    double Pinc = 0.0, Prefl = 0.0, Pload = 0.0;
    double PloadMinV = 0.0, PloadMaxV = 0.0;  // the coupler-derived bounds of the absorbed power
};

// The powers when the round-trip phase changes by phaseDeg, that is with
// Gs Gl turned by -phaseDeg. At 0 they are the model's (CalcTransmission with
// the same pass), bit for bit. Uses m.CplIdeal. With a lossy line (pass =
// e^(-2 alpha L) < 1) every power and the couplers' bounds are those at the
// load, as in the model.
TSweepPoint SweepPointAtPhase(const TModel& m, double phaseDeg, double pass = 1.0);

// The round-trip phase change in [0, 360) that brings the phase of
// Gs Gl e^(-j phi) to target degrees (0: maximum, 180: minimum absorbed power).
double PhaseToReach(const TModel& m, double targetDeg);

// The absorbed power for a round-trip phase uniform over a period.
struct TRandomPhaseStats {
    double Mean = 0.0, Deviation = 0.0;
    double Low = 0.0, High = 0.0;  // the 2.5 % and 97.5 % points
};
// pass as for SweepPointAtPhase.
TRandomPhaseStats RandomPhaseStats(const TModel& m, double pass = 1.0);
// The p-quantile of the absorbed power, 0 <= p <= 1.
double RandomPhaseQuantile(const TModel& m, double p, double pass = 1.0);

// 720 deg L |1/lg(f + df) - 1/lg(f - df)|, the lower frequency not below 0.
double PhaseSpreadDeg(const TSweepInputs& in);

// The whole page.
struct TSweepResult {
    TGuide Guide;            // at the entered frequency
    double NextModeMHz = 0.0;  // NextModeCutoffMHz of the line; 0 when none is known
    bool Multimode = false;    // the entered frequency lies above it
    bool OverLength = false;  // x in mm of added length; otherwise degrees of round-trip phase change
    double Period = 360.0;    // x over one period: guide wavelength / 2, or 360 deg
    bool AdviceDefined = false;  // false when Gs Gl = 0: every length gives the same power
    double AddForMax = 0.0, AddForMin = 0.0;  // in x units, within [0, Period)
    // False where no wave propagates, at f or at either end of the span
    // f - df .. f + df: the phase is then not defined over the whole span.
    bool SpreadDefined = false;
    bool SpanBelowCutoff = false;  // a wave propagates at f but not at f - df
    double SpreadDeg = 0.0;
    bool PhaseRandom = false;  // the spread reaches 360 deg
    // The band of frequency pulling around the present point, in x units:
    // from -SpanBelow to +SpanAbove.
    double SpanBelow = 0.0, SpanAbove = 0.0;
    TRandomPhaseStats Stats;
    TSweepPoint AtZero, AtMax, AtMin;
    // The curves: x rising from 0 to Period, with the two extremes among them.
    std::vector<double> X;
    std::vector<TSweepPoint> Points;
    double PassFactor = 1.0;  // the case's e^(-2 alpha L), for the readouts drawn from the sweep
};

inline constexpr int kSweepSteps = 720;

// With steps > 0 the curves hold steps + 1 evenly spaced points (and the
// two extremes); with 0 no curves.
TSweepResult CalcLineSweep(const TSweepCase& c, int steps = kSweepSteps);

}  // namespace merivane
