// SPDX-License-Identifier: GPL-3.0-or-later
#include "Magnetron.h"

#include "Division.h"

#include <cmath>
#include <numbers>

namespace merivane {

namespace {
using detail::DivideOrInfinity;
constexpr double kPi = std::numbers::pi;
}  // namespace

double QextFromPulling(double f0MHz, double pullingMHz)
{
    if (!(f0MHz > 0) || !(pullingMHz > 0)) return 0.0;
    // Qext = f0 (S^2 - 1) / (2S) / PF at S = 1.5, that is 0.41667 f0 / PF
    const double s = kPullingSwr;
    return f0MHz * (s * s - 1.0) / (2.0 * s) / pullingMHz;
}

double PullingAtMagMHz(double f0MHz, double qext, double gammaMag)
{
    if (!(qext > 0)) return 0.0;
    if (!(gammaMag < 1)) return kInfinity;
    // PF = f0 / Qext * 2r / (1 - r^2): the peak-to-peak of -f0 b / (2 Qext)
    // with |b| <= 2r / (1 - r^2) on the circle |G| = r
    return DivideOrInfinity(f0MHz * 2.0 * gammaMag, qext * (1.0 - gammaMag * gammaMag));
}

double PullingAtSwrMHz(double f0MHz, double qext, double swr)
{
    if (!(qext > 0)) return 0.0;
    if (!(swr >= 1)) swr = 1.0;
    // PF(S) = f0 / Qext * (S^2 - 1) / (2S)
    return DivideOrInfinity(f0MHz * (swr * swr - 1.0), qext * 2.0 * swr);
}

double PullingShiftMHz(double f0MHz, double qext, double gammaMag, double gammaPhaDeg)
{
    if (!(qext > 0)) return 0.0;
    // b = Im((1 - G) / (1 + G)) = -2 Im G / |1 + G|^2, and
    // df = -f0 b / (2 Qext) = f0 Im G / (Qext |1 + G|^2)
    const double th = gammaPhaDeg * kPi / 180.0;
    const double re = gammaMag * std::cos(th), im = gammaMag * std::sin(th);
    const double den = (1.0 + re) * (1.0 + re) + im * im;
    const double shift = DivideOrInfinity(f0MHz * im, qext * den);
    return shift >= kInfinity && im < 0 ? -kInfinity : shift;
}

double GroupVelocity(const TSweepInputs& line, double fMHz)
{
    if (!line.LineKnown || !(fMHz > 0)) return 0.0;
    if (!IsWaveguide(line.Line)) return line.Vf > 0 ? kLightSpeed * line.Vf : 0.0;  // TEM: vf c
    // TE10: vg = c sqrt(1 - (fc / f)^2)
    const double ratio = CutoffMHz(BroadWallMm(line)) / fMHz;
    return ratio < 1 ? kLightSpeed * std::sqrt(1.0 - ratio * ratio) : 0.0;
}

double CriticalLengthM(double f0MHz, double qext, double gammaMag, double vgMps)
{
    if (!(gammaMag < 1) || !(vgMps > 0) || !(qext > 0) || !(f0MHz > 0)) return 0.0;
    if (!(gammaMag > 0)) return kInfinity;
    // L_crit = (1 - r)^2 vg Qext / (4 pi f0 r). The slope of the pulled
    // frequency against f is (f0 / 2Qext) (db/dtheta) (4 pi L / vg); db/dtheta
    // peaks at 2r / (1 - r)^2 where G = -r, and the slope reaches 1 there at
    // this length: beyond it f = f0 + df(G(f)) can have three solutions.
    const double f0 = f0MHz * 1e6;
    return DivideOrInfinity((1.0 - gammaMag) * (1.0 - gammaMag) * vgMps * qext, 4.0 * kPi * f0 * gammaMag);
}

TMagnetronResult CalcMagnetron(const TRefl& load, const TSweepInputs& line, const TMagnetronInputs& in)
{
    TMagnetronResult r;
    const double f0 = line.FreqMHz;
    r.Qext = in.Qext > 0 ? in.Qext : QextFromPulling(f0, in.PullingMHz);
    r.Defined = r.Qext > 0 && f0 > 0 && load.Mag >= 0 && load.Mag < 1;
    if (!r.Defined) return r;

    r.ShiftMHz = PullingShiftMHz(f0, r.Qext, load.Mag, load.Pha);
    // the range over all phases: +- f0 / (2 Qext) (S^2 - 1) / (2S)
    r.PullingMHz = PullingAtMagMHz(f0, r.Qext, load.Mag);
    r.ShiftMaxMHz = r.PullingMHz / 2.0;
    r.ShiftMinMHz = -r.ShiftMaxMHz;

    const double vg = GroupVelocity(line, f0);
    r.CriticalDefined = vg > 0;
    r.CriticalLengthM = CriticalLengthM(f0, r.Qext, load.Mag, vg);

    r.LongLine = LongLineFrequencies(line, r.Qext, load.Mag, load.Pha);
    return r;
}

}  // namespace merivane
