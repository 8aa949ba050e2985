// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuideLoad.h"

#include "Division.h"

#include <cmath>
#include <numbers>

namespace merivane {

namespace {

using detail::DivideOrInfinity;
constexpr double kPi = std::numbers::pi;

constexpr TConductorData kConductors[] = {
    {Conductor::Copper, "copper", 5.813e7},
    {Conductor::Aluminium, "aluminium", 3.816e7},
    {Conductor::Brass, "brass", 2.564e7},
};

// 20 log10(e) = 20 / ln 10
constexpr double kDbPerNeper = 20.0 / std::numbers::ln10;

}  // namespace

std::span<const TConductorData> Conductors() { return kConductors; }

const TConductorData& ConductorOf(Conductor kind)
{
    for (const TConductorData& c : kConductors)
        if (c.kind == kind) return c;
    return kConductors[0];
}

double StandardHeightMm(LineType type)
{
    switch (type) {
    case LineType::WR284: return 34.04;
    case LineType::WR340: return 43.18;
    case LineType::WR430: return 54.61;
    case LineType::WR975: return 123.825;
    default: return 0.0;
    }
}

double GuideHeightMm(const TSweepInputs& line, double customHeightMm)
{
    const double h = StandardHeightMm(line.Line);
    return h > 0 ? h : (line.Line == LineType::CustomWaveguide ? customHeightMm : 0.0);
}

double WaveImpedanceTE10Ohm(double widthMm, double fMHz)
{
    if (!(widthMm > 0) || !(fMHz > 0)) return 0.0;
    // Z_TE = eta0 / sqrt(1 - (fc/f)^2)
    const double ratio = CutoffMHz(widthMm) / fMHz;
    const double root = std::sqrt(1.0 - ratio * ratio);
    return root > 0 ? kFreeSpaceImpedance / root : 0.0;
}

double PeakFieldVPerM(double pincW, double gammaMag, double widthMm, double heightMm, double fMHz)
{
    const double z = WaveImpedanceTE10Ohm(widthMm, fMHz);
    if (!(z > 0) || !(heightMm > 0) || !(pincW >= 0)) return 0.0;
    // P = |E0|^2 a b / (4 Z_TE) for TE10 (Pozar, "Rectangular waveguide"),
    // so E0 = sqrt(4 Z_TE P / (a b)); the reflected wave adds |Gl| E0 at the
    // maxima of the standing wave.
    const double a = widthMm * 1e-3, b = heightMm * 1e-3;
    return std::sqrt(4.0 * z * pincW / (a * b)) * (1.0 + gammaMag);
}

double ConductorAttenuationNpPerM(double conductivitySPerM, double widthMm, double heightMm, double fMHz)
{
    if (!(conductivitySPerM > 0) || !(widthMm > 0) || !(heightMm > 0) || !(fMHz > 0)) return 0.0;
    const double a = widthMm * 1e-3, b = heightMm * 1e-3;
    const double omega = 2.0 * kPi * fMHz * 1e6;
    const double k = omega / kLightSpeed;
    const double kc = kPi / a;
    if (!(k > kc)) return 0.0;
    // beta = sqrt(k^2 - (pi/a)^2), Rs = sqrt(omega mu0 / (2 sigma)),
    // alpha_c = Rs (2 b pi^2 + a^3 k^2) / (a^3 b beta k eta0)
    const double beta = std::sqrt((k - kc) * (k + kc));
    const double rs = std::sqrt(omega * kMu0 / (2.0 * conductivitySPerM));
    const double a3 = a * a * a;
    return rs * (2.0 * b * kPi * kPi + a3 * k * k) / (a3 * b * beta * k * kFreeSpaceImpedance);
}

double NpToDb(double np) { return kDbPerNeper * np; }
double DbToNp(double db) { return db / kDbPerNeper; }

TGuideLoad CalcGuideLoad(const TModel& m, const TSweepInputs& line, const TGuideLoadInputs& in)
{
    TGuideLoad r;
    if (!line.LineKnown || !IsWaveguide(line.Line)) return r;
    const double a = BroadWallMm(line);
    r.HeightMm = GuideHeightMm(line, in.HeightMm);
    r.WaveImpedanceOhm = WaveImpedanceTE10Ohm(a, line.FreqMHz);
    if (!(r.WaveImpedanceOhm > 0)) {
        r.Status = kGuideNoWave;
        return r;
    }
    if (!(r.HeightMm > 0)) {
        r.Status = kGuideNoHeight;
        return r;
    }
    r.Status = kGuideOk;
    r.Defined = true;
    const double g = m.LoaRfl.Mag;
    r.PeakFieldKvPerM = PeakFieldVPerM(m.Pinc, g, a, r.HeightMm, line.FreqMHz) * 1e-3;
    r.PeakFieldMaxKvPerM = PeakFieldVPerM(m.PincMax, g, a, r.HeightMm, line.FreqMHz) * 1e-3;
    // margin = E_breakdown / E_peak at the highest incident power
    r.BreakdownMargin = DivideOrInfinity(in.BreakdownKvPerM, r.PeakFieldMaxKvPerM);
    r.BreakdownMarginDb = r.BreakdownMargin >= kInfinity || !(r.BreakdownMargin > 0)
                              ? (r.BreakdownMargin > 0 ? kInfinity : -kInfinity)
                              : 20.0 * std::log10(r.BreakdownMargin);
    return r;
}

}  // namespace merivane
