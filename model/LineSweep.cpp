// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineSweep.h"

#include "Conversions.h"
#include "CouplerMeas.h"
#include "Division.h"
#include "Transmission.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace merivane {

namespace {

using ext = long double;

// c in mm * MHz: a wavelength in mm is this over the frequency in MHz.
constexpr ext kLightMmMHz = static_cast<ext>(kLightSpeed) / 1000.0L;

constexpr TLineTypeSpec kLineTypes[] = {
    {LineType::WR284, "WR284", 72.136, 34.04},
    {LineType::WR340, "WR340", 86.36, 43.18},
    {LineType::WR430, "WR430", 109.22, 54.61},
    {LineType::WR975, "WR975", 247.65, 123.825},
    {LineType::CustomWaveguide, "Custom waveguide", 0.0, 0.0},
    {LineType::Coax, "Coax / TEM", 0.0, 0.0},
};

// The parts of the model that stay the same along the line.
struct TKernel {
    ext r;          // |Gs Gin| = |Gs| |Gl| e^(-2 alpha L)
    ext oneMinusR;  // 1 - r, formed without cancellation
    ext theta;      // the phase of Gs Gin, degrees: the sum of the entered phases
    ext q;          // Pav (1 - |Gs|^2) as the model forms it (Pmatch for a fully reflecting source)
    double pass;    // e^(-2 alpha L)
    double g;       // |Gl| at the load
    TCouplerFactors f;

    // pass = e^(-2 alpha L): the reflected wave comes back attenuated going
    // and coming, so the source end sees Gl e^(-2 alpha L). The kernel forms
    // everything as CalcTransmission does, from the inputs alone, so that at
    // phi = 0 every value is the model's to the last bit.
    TKernel(const TModel& m, double passFactor)
        : r(static_cast<ext>(m.SrcRfl.Mag) * m.LoaRfl.Mag * passFactor),
          oneMinusR(OneMinusProduct(m.SrcRfl.Mag, m.LoaRfl.Mag, passFactor)),
          theta(static_cast<ext>(m.SrcRfl.Pha) + m.LoaRfl.Pha), q(IncidentScale(m)), pass(passFactor),
          g(m.LoaRfl.Mag), f(CouplerFactors(m.LoaRfl.Mag, m.CplIdeal ? 0.0 : DirectivityFactor(m.CplDirDb)))
    {
    }

    // The step of the model, with Gs Gin turned by -phi degrees.
    TSweepPoint At(ext phiDeg) const
    {
        // Pinc = Pav (1 - |Gs|^2) e^(-2 alpha L) / |1 - Gs Gin e^(-j2bd)|^2 at
        // the load: the multiple reflections between a mismatched generator
        // and load (Pozar, Microwave Engineering, "Generator and load
        // mismatches"), the line's loss going and coming.
        const ext div = InterferenceDivisor(r, oneMinusR, theta - phiDeg);
        const TLoadPowers p = LoadPowers(q, pass, g, div);
        TSweepPoint pt;
        pt.Pinc = StoredResult(p.Pinc);
        pt.Prefl = StoredResult(p.Prefl);
        pt.Pload = StoredResult(p.Pload);
        // Pinc [(1 -+ D|Gl|)^2 - (|Gl| +- D)^2], the couplers at the load
        pt.PloadMinV = CouplerReading(p.Pinc, f.LoadMinus);
        pt.PloadMaxV = CouplerReading(p.Pinc, f.LoadPlus);
        return pt;
    }
};

// An angle reduced into [0, 360).
double Reduce360(ext deg)
{
    ext r = std::fmod(deg, 360.0L);
    if (r < 0) r += 360.0L;
    const double out = static_cast<double>(r);
    return out >= 360.0 ? 0.0 : out;
}

}  // namespace

std::span<const TLineTypeSpec> LineTypes() { return kLineTypes; }

const TLineTypeSpec& LineTypeSpec(LineType type)
{
    for (const TLineTypeSpec& s : kLineTypes)
        if (s.type == type) return s;
    return kLineTypes[1];
}

bool IsWaveguide(LineType type) { return type != LineType::Coax; }

double FreeSpaceWavelengthMm(double fMHz) { return static_cast<double>(kLightMmMHz / fMHz); }

double CutoffMHz(double widthMm) { return static_cast<double>(kLightMmMHz / (2.0L * widthMm)); }

double BroadWallMm(const TSweepInputs& in)
{
    const TLineTypeSpec& s = LineTypeSpec(in.Line);
    return s.widthMm > 0 ? s.widthMm : in.WidthMm;
}

TGuide GuideAt(const TSweepInputs& in, double fMHz)
{
    TGuide g;
    if (!in.LineKnown || !(fMHz > 0)) return g;
    const ext lambda0 = kLightMmMHz / fMHz;
    if (!IsWaveguide(in.Line)) {
        // TEM: the wave travels at vf c.
        g.propagates = in.Vf > 0;
        g.wavelengthMm = g.propagates ? static_cast<double>(in.Vf * lambda0) : 0.0;
        return g;
    }
    const ext a = BroadWallMm(in);
    g.cutoffMHz = CutoffMHz(static_cast<double>(a));
    if (!(fMHz > g.cutoffMHz)) return g;
    // TE10: lg = l0 / sqrt(1 - (l0 / 2a)^2) (Pozar, Microwave
    // Engineering, "Rectangular waveguide").
    const ext ratio = lambda0 / (2.0L * a);
    const ext root = std::sqrt(1.0L - ratio * ratio);
    if (!(root > 0)) return g;
    g.propagates = true;
    g.wavelengthMm = static_cast<double>(lambda0 / root);
    return g;
}

double NextModeCutoffMHz(const TSweepInputs& in)
{
    if (!in.LineKnown || !IsWaveguide(in.Line)) return 0.0;
    // TE_mn of an a x b guide cuts off at (c / 2) sqrt((m / a)^2 + (n / b)^2):
    // TE20 at c / a, TE01 at c / 2b (Pozar, "Rectangular waveguide").
    const ext a = BroadWallMm(in);
    if (!(a > 0)) return 0.0;
    ext next = kLightMmMHz / a;
    const ext b = LineTypeSpec(in.Line).heightMm;
    if (b > 0) next = std::min(next, kLightMmMHz / (2.0L * b));
    return static_cast<double>(next);
}

double InverseGuideWavelength(const TSweepInputs& in, double fMHz)
{
    const TGuide g = GuideAt(in, fMHz);
    return g.propagates ? static_cast<double>(1.0L / g.wavelengthMm) : 0.0;
}

TSweepPoint SweepPointAtPhase(const TModel& m, double phaseDeg, double pass)
{
    return TKernel(m, pass).At(phaseDeg);
}

double PhaseToReach(const TModel& m, double targetDeg)
{
    // a loss scales Gs Gl by a positive factor: the phase stays the sum of
    // the entered phases; with a matched end there is no phase at all
    const ext psi = m.SrcRfl.Mag == 0 || m.LoaRfl.Mag == 0 ? 0.0L : static_cast<ext>(m.SrcRfl.Pha) + m.LoaRfl.Pha;
    // psi - phi = target (mod 360)
    return Reduce360(psi - targetDeg);
}

double RandomPhaseQuantile(const TModel& m, double p, double pass)
{
    // Pload(theta) = K / (1 + r^2 - 2 r cos theta). For a uniform theta, cos
    // theta follows the arcsine law, P(cos theta <= c) = 1 - arccos(c) / pi,
    // and Pload rises with cos theta, so its p-quantile is
    // K / (1 + r^2 + 2 r cos(pi p)). A lossy line: r = |Gs| |Gl| e^(-2 alpha L),
    // K = Pmatch e^(-2 alpha L) (1 - |Gl|^2); pass = 1 changes no bit.
    // K / (1 + r^2 + 2 r cos(pi p)) = K / ((1 - r)^2 + 4 r cos^2(pi p / 2)).
    const ext r = static_cast<ext>(m.SrcRfl.Mag) * m.LoaRfl.Mag * pass;
    const ext k = IncidentScale(m) * m.LoaRfl.Mism * pass;  // Pmatch (1 - |Gl|^2)
    if (k == 0) return 0.0;
    const ext pp = std::clamp(static_cast<ext>(p), 0.0L, 1.0L);
    const ext oneMinusR = OneMinusProduct(m.SrcRfl.Mag, m.LoaRfl.Mag, pass);
    const ext c = SinDeg(90.0L - 90.0L * pp);  // cos(pi p / 2)
    return StoredResult(QuotientOrInfinite(k, oneMinusR * oneMinusR + 4.0L * r * c * c));
}

TRandomPhaseStats RandomPhaseStats(const TModel& m, double pass)
{
    // Over a uniform theta, 1/|1 - r e^(j theta)|^2 has the mean 1/(1 - r^2)
    // (the Poisson kernel) and the mean square (1 + r^2)/(1 - r^2)^3, so the
    // variance 2 r^2 / (1 - r^2)^3. A lossy line scales r and K as in
    // RandomPhaseQuantile.
    TRandomPhaseStats s;
    const ext r = static_cast<ext>(m.SrcRfl.Mag) * m.LoaRfl.Mag * pass;
    const ext k = IncidentScale(m) * m.LoaRfl.Mism * pass;  // Pmatch (1 - |Gl|^2)
    if (k == 0) return s;
    const ext u = OneMinusProduct(m.SrcRfl.Mag, m.LoaRfl.Mag, pass) * (1.0L + r);  // 1 - r^2
    s.Mean = StoredResult(QuotientOrInfinite(k, u));
    s.Deviation = u > 0 ? static_cast<double>(k * std::sqrt(2.0L * r * r / (u * u * u))) : kInfinity;
    if (!std::isfinite(s.Deviation) || s.Deviation >= kInfinity) s.Deviation = kInfinity;
    s.Low = RandomPhaseQuantile(m, 0.025, pass);
    s.High = RandomPhaseQuantile(m, 0.975, pass);
    return s;
}

double PhaseSpreadDeg(const TSweepInputs& in)
{
    const double lower = std::max(0.0, in.FreqMHz - in.SpanMHz);
    const ext d = static_cast<ext>(InverseGuideWavelength(in, in.FreqMHz + in.SpanMHz)) - InverseGuideWavelength(in, lower);
    return static_cast<double>(720.0L * (static_cast<ext>(in.LengthM) * 1000.0L) * std::fabs(d));
}

TSweepResult CalcLineSweep(const TSweepCase& c, int steps)
{
    TSweepResult r;
    const TSweepInputs& in = c.In;
    const TKernel k(c.M, c.PassFactor);
    r.Guide = GuideAt(in, in.FreqMHz);
    r.OverLength = r.Guide.propagates;
    r.NextModeMHz = NextModeCutoffMHz(in);
    r.Multimode = r.NextModeMHz > 0 && in.FreqMHz > r.NextModeMHz;
    // The product turns by -720 deg d / lg: one period of the interference is lg / 2.
    const ext xPerDeg = r.OverLength ? static_cast<ext>(r.Guide.wavelengthMm) / 720.0L : 1.0L;
    r.Period = static_cast<double>(360.0L * xPerDeg);

    r.AdviceDefined = c.M.SrcRfl.Mag != 0 && c.M.LoaRfl.Mag != 0;
    const double phiMax = PhaseToReach(c.M, 0.0), phiMin = PhaseToReach(c.M, 180.0);
    r.AddForMax = static_cast<double>(phiMax * xPerDeg);
    r.AddForMin = static_cast<double>(phiMin * xPerDeg);
    r.AtZero = k.At(0.0L);
    r.AtMax = k.At(phiMax);
    r.AtMin = k.At(phiMin);

    if (r.OverLength) {
        // the round-trip phase of the line L at f: 720 deg L / lg(f)
        const ext l = static_cast<ext>(in.LengthM) * 1000.0L * 720.0L;
        const ext at = l * InverseGuideWavelength(in, in.FreqMHz);
        const ext above = l * InverseGuideWavelength(in, in.FreqMHz + in.SpanMHz);
        const ext below = l * InverseGuideWavelength(in, std::max(0.0, in.FreqMHz - in.SpanMHz));
        // A waveguide's cut-off lies below f, so only f - df can fall below it.
        // A TEM line has none: down to 0 Hz its phase runs on to 0.
        r.SpanBelowCutoff = r.Guide.cutoffMHz > 0 && !GuideAt(in, std::max(0.0, in.FreqMHz - in.SpanMHz)).propagates;
        if (!r.SpanBelowCutoff) {
            r.SpreadDefined = true;
            r.SpreadDeg = PhaseSpreadDeg(in);
            r.PhaseRandom = r.SpreadDeg >= 360.0;
            r.SpanAbove = static_cast<double>((above - at) * xPerDeg);
            r.SpanBelow = static_cast<double>((at - below) * xPerDeg);
        }
    }
    r.Stats = RandomPhaseStats(c.M, c.PassFactor);
    r.PassFactor = c.PassFactor;

    if (steps > 0) {
        const std::size_t n = static_cast<std::size_t>(steps) + 1;
        r.X.reserve(n + 2);
        r.Points.reserve(n + 2);
        const auto add = [&](ext deg) {
            r.X.push_back(static_cast<double>(deg * xPerDeg));
            r.Points.push_back(k.At(deg));
        };
        // the two extremes go in among the even steps, in order
        double extremes[2] = {std::min(phiMax, phiMin), std::max(phiMax, phiMin)};
        std::size_t next = r.AdviceDefined ? 0 : 2;
        for (std::size_t i = 0; i < n; ++i) {
            const ext deg = 360.0L * static_cast<ext>(i) / steps;
            while (next < 2 && extremes[next] < deg) add(extremes[next++]);
            add(deg);
        }
    }
    return r;
}

}  // namespace merivane
