// SPDX-License-Identifier: GPL-3.0-or-later
// Frequency pulling of the magnetron by its load, and the critical length of
// the line beyond which the tube may run at more than one frequency.
//
// The magnetron is taken as a resonator coupled to the line through its
// external Q. The load it sees, normalised to the line,
//   y = (1 - G) / (1 + G) = g + jb,
// detunes it by
//   df = -f0 b / (2 Qext).
// Sign convention: a capacitive load (b > 0) lowers the frequency, an
// inductive one (b < 0) raises it. G = 0.5 at 90 deg gives y = 0.6 - j0.8,
// an inductive load, and so a rise.
//
// The pulling figure PF is the peak-to-peak change of frequency while a load
// of SWR 1.5 goes through all phases. Over all phases at |G| = r,
// |b| <= 2r / (1 - r^2) = (S^2 - 1) / (2S), so
//   PF(S) = f0 / Qext * (S^2 - 1) / (2S),
// and from the datasheet's figure at S = 1.5: Qext = 0.41667 f0 / PF.
#pragma once

#include "LineSweep.h"
#include "LongLine.h"
#include "Model.h"

#include <vector>

namespace merivane {

// The SWR at which a datasheet states the pulling figure.
inline constexpr double kPullingSwr = 1.5;

// Qext = f0 (S^2 - 1) / (2S) / PF at S = 1.5; 0 when f0 or PF is not positive.
double QextFromPulling(double f0MHz, double pullingMHz);
// PF(S) = f0 / Qext * 2r / (1 - r^2) for a load of magnitude r, the
// peak-to-peak pulling over all phases; kInfinity for r >= 1; 0 when Qext <= 0.
double PullingAtMagMHz(double f0MHz, double qext, double gammaMag);
// The same at an SWR: PF(S) = f0 / Qext * (S^2 - 1) / (2S).
double PullingAtSwrMHz(double f0MHz, double qext, double swr);
// df = -f0 b / (2 Qext) for the load gammaMag at gammaPhaDeg; 0 when Qext <= 0,
// kInfinity (with the sign of the shift) for a full reflection at 180 deg.
double PullingShiftMHz(double f0MHz, double qext, double gammaMag, double gammaPhaDeg);
// Group velocity of the line at f, m/s: c sqrt(1 - (fc/f)^2) in a waveguide,
// vf c in a coaxial line; 0 where nothing propagates or the line is unknown.
double GroupVelocity(const TSweepInputs& line, double fMHz);
// L_crit = (1 - r)^2 vg Qext / (4 pi f0 r), m; kInfinity for r = 0, 0 for
// r >= 1 or vg <= 0.
double CriticalLengthM(double f0MHz, double qext, double gammaMag, double vgMps);

// What the user tells about the tube.
struct TMagnetronInputs {
    double PullingMHz = 0.0;  // the datasheet's pulling figure at SWR 1.5
    double Qext = 0.0;        // when > 0, used instead of the pulling figure
};

// JSON "magnetron": qext, shift_mhz, shift_min_mhz, shift_max_mhz,
// critical_length_m, frequencies_mhz (LongLine.FrequenciesMHz).
struct TMagnetronResult {
    bool Defined = false;  // Qext and f0 positive and the load below a full reflection
    double Qext = 0.0;
    double ShiftMHz = 0.0;     // at the present load
    double ShiftMinMHz = 0.0;  // over all phases of the load's magnitude
    double ShiftMaxMHz = 0.0;
    double PullingMHz = 0.0;   // PF(S) at the load's SWR: ShiftMax - ShiftMin
    bool CriticalDefined = false;  // the line is known and carries a wave at f0
    double CriticalLengthM = 0.0;
    TLongLineSolutions LongLine;   // every frequency the tube can run at on the line
    bool CanJump() const { return LongLine.FrequenciesMHz.size() > 1; }
};

// f0, the line and its length come from the line sweep's inputs; the load is
// the model's, as seen at the magnetron at f0.
TMagnetronResult CalcMagnetron(const TRefl& load, const TSweepInputs& line, const TMagnetronInputs& in);

}  // namespace merivane
