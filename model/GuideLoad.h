// SPDX-License-Identifier: GPL-3.0-or-later
// What the guide carries: the peak field of the standing wave against a
// breakdown field, and the TE10 conductor attenuation of its walls.
//
// Conventions:
// - The presets have their standard heights b (WR284 34.04, WR340 43.18,
//   WR430 54.61, WR975 123.825 mm); a custom waveguide takes the height the
//   user gives. A coaxial line has no field figure here.
// - Peak field E = sqrt(4 Z_TE Pinc / (a b)) (1 + |Gl|), Z_TE = eta0 /
//   sqrt(1 - (fc/f)^2): the TE10 field at the centre of the broad wall,
//   where forward and reflected waves add.
// - The breakdown margin is the breakdown field over the peak field with the
//   highest incident power over the line's phase (the model's PincMax).
// - Attenuation alpha in nepers per metre of the field; in dB/m it is
//   20 log10(e) alpha.
//
// The record's names follow the command line's JSON object "guide":
// PeakFieldKvPerM ("peak_field_kv_per_m"), BreakdownMargin
// ("breakdown_margin"); the attenuation and the line loss are in LineLoss.h.
#pragma once

#include "LineSweep.h"
#include "Model.h"

#include <span>

namespace merivane {

// eta0 = mu0 c, with mu0 = 1.25663706212e-6 H/m
inline constexpr double kFreeSpaceImpedance = 376.730313668;
inline constexpr double kMu0 = 1.25663706212e-6;
inline constexpr double kDefaultBreakdownKvPerM = 3000.0;  // dry air at sea level

enum class Conductor { Copper, Aluminium, Brass };

struct TConductorData {
    Conductor kind;
    const char* name;          // "copper", "aluminium", "brass"
    double conductivitySPerM;  // Pozar, Microwave Engineering, appendix of conductivities
};

std::span<const TConductorData> Conductors();
const TConductorData& ConductorOf(Conductor kind);

// The standard height b of a preset; 0 for the custom waveguide and coax.
double StandardHeightMm(LineType type);
// The height in force: the preset's, or customHeightMm for the custom guide.
double GuideHeightMm(const TSweepInputs& line, double customHeightMm);

// eta0 / sqrt(1 - (fc/f)^2); 0 at and below cut-off.
double WaveImpedanceTE10Ohm(double widthMm, double fMHz);

// sqrt(4 Z_TE P / (a b)) (1 + |G|), V/m; 0 where no wave propagates or a
// dimension is not positive.
double PeakFieldVPerM(double pincW, double gammaMag, double widthMm, double heightMm, double fMHz);

// Pozar's TE10 conductor attenuation of a rectangular guide, Np/m:
//   alpha_c = Rs (2 b pi^2 + a^3 k^2) / (a^3 b beta k eta0),
//   Rs = sqrt(omega mu0 / (2 sigma)).
// 0 where no wave propagates or an input is not positive.
double ConductorAttenuationNpPerM(double conductivitySPerM, double widthMm, double heightMm, double fMHz);

double NpToDb(double np);  // 20 log10(e) np
double DbToNp(double db);

inline constexpr char kGuideOk[] = "ok";
inline constexpr char kGuideNotWaveguide[] = "not-a-waveguide";  // coax, or the line unknown
inline constexpr char kGuideNoWave[] = "no-wave";                // at or below cut-off
inline constexpr char kGuideNoHeight[] = "no-height";            // custom guide without a height

struct TGuideLoadInputs {
    double HeightMm = 0.0;  // the custom waveguide's height; the presets have theirs
    double BreakdownKvPerM = kDefaultBreakdownKvPerM;
};

struct TGuideLoad {
    const char* Status = kGuideNotWaveguide;
    bool Defined = false;
    double HeightMm = 0.0;
    double WaveImpedanceOhm = 0.0;
    double PeakFieldKvPerM = 0.0;     // at the model's Pinc
    double PeakFieldMaxKvPerM = 0.0;  // at the highest Pinc over the phase
    double BreakdownMargin = 0.0;     // breakdown / PeakFieldMax; kInfinity with no field
    double BreakdownMarginDb = 0.0;   // 20 log10 of it
};

// m as CalcTransmission left it; the line at its frequency.
TGuideLoad CalcGuideLoad(const TModel& m, const TSweepInputs& line, const TGuideLoadInputs& in = {});

}  // namespace merivane
