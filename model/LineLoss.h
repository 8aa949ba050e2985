// SPDX-License-Identifier: GPL-3.0-or-later
// The loss of the line between the magnetron's and the load's reference
// planes.
//
// Conventions:
// - alpha is the attenuation of the field in Np/m (in dB/m, 20 log10(e)
//   alpha). A waveguide takes its walls' TE10 conductor attenuation
//   (GuideLoad.h) or an entered figure; a coaxial line an entered figure.
// - Over the line length L the model at the source end sees
//   Gl e^(-2 alpha L): the reflected wave is attenuated going and coming.
// - The load receives e^(-2 alpha L) of the forward wave's power; the line
//   loses the rest of both waves. The model itself (CalcTransmission with the
//   pass factor) is at the load; the record adds the source end's view.
// - Without a loss (alpha L = 0) every value is the model's own.
//
// The record's names follow the command line's JSON object "guide":
// AttenuationDbPerM ("attenuation_db_per_m"), LineLossW ("line_loss_w").
#pragma once

#include "GuideLoad.h"
#include "LineSweep.h"
#include "Model.h"

namespace merivane {

enum class LossSource { None, Conductor, Entered };

struct TLineLossInputs {
    LossSource Source = LossSource::None;
    Conductor Metal = Conductor::Copper;  // with LossSource::Conductor
    double EnteredDbPerM = 0.0;           // with LossSource::Entered
    double HeightMm = 0.0;                // the custom waveguide's height
};

inline constexpr char kLossOk[] = "ok";
inline constexpr char kLossNone[] = "none";
inline constexpr char kLossNeedsWaveguide[] = "conductor-needs-waveguide";  // coax: enter dB/m
inline constexpr char kLossNoWave[] = "no-wave";
inline constexpr char kLossNoHeight[] = "no-height";
inline constexpr char kLossBadFigure[] = "bad-figure";  // negative or not finite

struct TAttenuation {
    const char* Status = kLossNone;
    double DbPerM = 0.0;
    double NpPerM = 0.0;
};

// The attenuation in force for the line at its frequency; 0 unless kLossOk.
TAttenuation LineAttenuation(const TSweepInputs& line, const TLineLossInputs& in);

// e^(-2 alpha L) for alpha in dB/m over L metres; exactly 1 for alpha L <= 0.
double LinePassFactor(double attenuationDbPerM, double lengthM);

struct TLineLoss {
    double AttenuationDbPerM = 0.0;
    double LengthM = 0.0;
    double PassFactor = 1.0;        // e^(-2 alpha L)
    double SourceEndReflMag = 0.0;  // |Gl| e^(-2 alpha L)
    // The model with the reflection seen at the source end, computed by
    // CalcTransmission without a loss: the magnetron's view.
    TModel AtSource;
    double ForwardAtSourceW = 0.0;  // AtSource.Pinc
    double NetInW = 0.0;            // AtSource.Pload: what enters the line
    double ForwardAtLoadW = 0.0;    // e^(-2 alpha L) of the forward wave: the model's Pinc
    double AbsorbedW = 0.0;         // what the load takes: the model's Pload
    double LineLossW = 0.0;         // what the line turns into heat
};

// m as CalcTransmission left it, with or without the line's pass factor
// (only its inputs are read), Gl at the load's plane.
TLineLoss CalcLineLoss(const TModel& m, double attenuationDbPerM, double lengthM);

}  // namespace merivane
