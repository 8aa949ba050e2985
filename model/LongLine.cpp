// SPDX-License-Identifier: GPL-3.0-or-later
#include "LongLine.h"

#include "Magnetron.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>

namespace merivane {

namespace {

using Cplx = std::complex<double>;
constexpr double kPi = std::numbers::pi;
// c in mm * MHz, as the guide wavelength is kept
constexpr double kLightMmMHz = kLightSpeed / 1000.0;
// the grid's step in the load's phase: sixteen steps per half turn
constexpr int kStepsPerHalfTurn = 16;
// at most this many grid intervals; a longer line gets coarser steps
constexpr double kMaxIntervals = 100000.0;
// the frequency to which a solution is refined, MHz (0.1 Hz)
constexpr double kToleranceMHz = 1e-7;

struct TNode {
    double f, h, slope;
};

// h(f) = f - f0 - df(G(f)), whose zeros are the running frequencies, and its
// slope h'(f), with f in MHz.
struct TEquation {
    double f0 = 0.0;
    double k = 0.0;      // f0 / (2 Qext), MHz
    Cplx gl;             // G_l at f0
    double twoL = 0.0;   // 2L, m
    bool tem = false;
    double fc2 = 0.0;    // a waveguide's cut-off squared, MHz^2
    double scale = 0.0;  // 2 pi * 1000 / c on a waveguide, 2 pi * 1000 / (vf c) on TEM, c in mm MHz
    double beta0 = 0.0;  // beta(f0), rad/m

    TEquation(const TSweepInputs& ln, double qext, double mag, double phaDeg)
        : f0(ln.FreqMHz), k(ln.FreqMHz / (2.0 * qext)), gl(std::polar(mag, phaDeg * kPi / 180.0)),
          twoL(2.0 * ln.LengthM), tem(!IsWaveguide(ln.Line))
    {
        const double fc = tem ? 0.0 : CutoffMHz(BroadWallMm(ln));
        fc2 = fc * fc;
        scale = 2.0 * kPi * 1000.0 / (tem ? ln.Vf * kLightMmMHz : kLightMmMHz);
        beta0 = Beta(f0);
    }

    // beta = 2 pi / lg in rad/m, the line sweep's guide wavelength: on TEM
    // 1/lg = f / (vf c); in TE10 1/lg = sqrt(f^2 - fc^2) / c.
    double Root(double f) const { return tem ? f : std::sqrt(f * f - fc2); }
    double Beta(double f) const { return scale * Root(f); }

    // the round-trip phase change 2 (beta(f) - beta(f0)) L, rising with f
    double Phi(double f) const { return twoL * (Beta(f) - beta0); }

    // The frequency at which the round-trip phase change is phi: beta =
    // beta0 + phi / 2L, then f = beta / scale on TEM, sqrt((beta / scale)^2 + fc^2)
    // in a waveguide.
    double FreqAtPhi(double phi) const
    {
        const double x = (beta0 + phi / twoL) / scale;
        return tem ? x : std::sqrt(x * x + fc2);
    }

    TNode At(double f) const
    {
        const double root = Root(f);
        // G(f) = G_l e^(-j phi); b = Im((1 - G)/(1 + G)) = -2 Im G / |1 + G|^2; df = -k b
        const Cplx g = gl * std::polar(1.0, -twoL * (scale * root - beta0));
        const Cplx p = 1.0 + g;
        const double p2 = std::norm(p);
        const double b = -2.0 * g.imag() / p2;
        // h'(f) = 1 + k (db/dtheta)(dtheta/df), with dy/dtheta = -2j G / (1 + G)^2
        // (as dy/dG = -2 / (1 + G)^2 and dG/dtheta = jG), so
        // db/dtheta = -2 Re(G conj(1 + G)^2) / |1 + G|^4, and
        // dtheta/df = -2L dbeta/df = -2L scale f / sqrt(f^2 - fc^2) (TEM: -2L scale)
        const double dbdth = -2.0 * (g * std::conj(p) * std::conj(p)).real() / (p2 * p2);
        const double dbetadf = tem ? scale : scale * f / root;
        return TNode{f, f - f0 + k * b, 1.0 - k * dbdth * twoL * dbetadf};
    }

    double H(double f) const { return At(f).h; }
};

int Sign(double v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }

// Brent's method (inverse quadratic interpolation, secant and bisection) on
// a bracket [a, b] with h(a) and h(b) of opposite signs.
template <class F>
double Brent(const F& h, double a, double b, double ha, double hb)
{
    double c = b, hc = hb, d = b - a, e = d;
    for (int i = 0; i < 100; ++i) {
        if (Sign(hb) == Sign(hc)) {
            c = a;
            hc = ha;
            d = e = b - a;
        }
        if (std::fabs(hc) < std::fabs(hb)) {
            a = b, b = c, c = a;
            ha = hb, hb = hc, hc = ha;
        }
        const double tol = 2.0 * std::numeric_limits<double>::epsilon() * std::fabs(b) + 0.5 * kToleranceMHz;
        const double xm = 0.5 * (c - b);
        if (std::fabs(xm) <= tol || hb == 0) return b;
        if (std::fabs(e) >= tol && std::fabs(ha) > std::fabs(hb)) {
            const double s = hb / ha;
            double p = 0.0, q = 0.0;
            if (a == c) {  // secant
                p = 2.0 * xm * s;
                q = 1.0 - s;
            } else {  // inverse quadratic interpolation
                const double qa = ha / hc, r = hb / hc;
                p = s * (2.0 * xm * qa * (qa - r) - (b - a) * (r - 1.0));
                q = (qa - 1.0) * (r - 1.0) * (s - 1.0);
            }
            if (p > 0) q = -q;
            p = std::fabs(p);
            if (2.0 * p < std::min(3.0 * xm * q - std::fabs(tol * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = e = xm;
            }
        } else {
            d = e = xm;
        }
        a = b;
        ha = hb;
        b += std::fabs(d) > tol ? d : std::copysign(tol, xm);
        hb = h(b);
    }
    return b;
}

// The roots of h within one grid interval. The grid puts a node wherever the
// load's phase passes 180 deg, where the slope of the pulled frequency is
// steepest, so within an interval h' changes sign at most once and h has at
// most one extreme: a change of sign of h marks one root; equal signs with an
// extreme turning towards zero may hide two, split at the extreme.
template <class F>
void RootsIn(const F& h, const TEquation& eq, const TNode& lo, const TNode& hi, std::vector<double>& out)
{
    if (hi.h == 0) {
        out.push_back(hi.f);
        return;
    }
    if (lo.h == 0) return;  // counted as the previous interval's end
    if (Sign(lo.h) != Sign(hi.h)) {
        out.push_back(Brent(h, lo.f, hi.f, lo.h, hi.h));
        return;
    }
    // an extreme turning towards zero: h falling from above or rising from below
    const bool towardZero = (lo.h > 0 && lo.slope < 0) || (lo.h < 0 && lo.slope > 0);
    if (!towardZero || Sign(lo.slope) == Sign(hi.slope)) return;
    // Bisect on h' for the extreme, stopping as soon as h crosses zero, or
    // when h cannot reach zero: h' is monotone within [a, b], so h stays
    // within max(|h'(a)|, |h'(b)|) (b - a) of h(m).
    double a = lo.f, b = hi.f, slopeA = lo.slope, slopeB = hi.slope;
    const int sa = Sign(lo.slope);
    while (b - a > kToleranceMHz) {
        const double m = 0.5 * (a + b);
        const TNode at = eq.At(m);
        const double hm = at.h;
        if (Sign(hm) != Sign(lo.h)) {
            if (hm == 0) {
                out.push_back(m);  // a double root, touched
                return;
            }
            out.push_back(Brent(h, lo.f, m, lo.h, hm));
            out.push_back(Brent(h, m, hi.f, hm, hi.h));
            return;
        }
        if (std::fabs(hm) > std::max(std::fabs(slopeA), std::fabs(slopeB)) * (b - a)) return;
        const double sm = at.slope;
        if (Sign(sm) == sa) {
            a = m;
            slopeA = sm;
        } else {
            b = m;
            slopeB = sm;
        }
    }
}

}  // namespace

TLongLineSolutions LongLineFrequencies(const TSweepInputs& line, double qext, double gammaMag, double gammaPhaDeg)
{
    TLongLineSolutions s;
    const double f0 = line.FreqMHz;
    if (!(qext > 0) || !(f0 > 0) || !(gammaMag >= 0) || !(gammaMag < 1)) return s;
    const double shift = PullingShiftMHz(f0, qext, gammaMag, gammaPhaDeg);
    // With no line or no reflection the load does not follow f: one solution.
    if (line.LengthM == 0 || gammaMag == 0) {
        s.Defined = true;
        s.LowMHz = s.HighMHz = f0 + shift;
        s.FrequenciesMHz.push_back(f0 + shift);
        return s;
    }
    if (!(line.LengthM > 0) || !(GroupVelocity(line, f0) > 0)) return s;

    // the window f0 +- 2 PF(S), kept above a waveguide's cut-off
    const double pf = PullingAtMagMHz(f0, qext, gammaMag);
    const double cutoff = IsWaveguide(line.Line) ? CutoffMHz(BroadWallMm(line)) : 0.0;
    s.LowMHz = std::max({f0 - 2.0 * pf, cutoff * (1.0 + 1e-9), f0 * 1e-9});
    s.HighMHz = f0 + 2.0 * pf;
    s.Defined = true;

    const TEquation eq(line, qext, gammaMag, gammaPhaDeg);
    const auto h = [&eq](double f) { return eq.H(f); };
    const auto node = [&eq](double f) { return eq.At(f); };

    // |df| <= PF(S) / 2, so h < 0 below f0 - PF/2 and h > 0 above f0 + PF/2:
    // the grid need only cover that band, with a margin.
    const double margin = 0.5 * pf * (1.0 + 1e-6) + kToleranceMHz;
    const double lo = std::max(s.LowMHz, f0 - margin), hi = std::min(s.HighMHz, f0 + margin);

    // Nodes where the round-trip phase change phi meets theta_l - pi modulo
    // a step of pi/16 (so every pass of the load's phase through 180 deg is
    // a node), and in between evenly in f so that no gap exceeds 1/16 of the
    // band.
    const double phiLo = eq.Phi(lo), phiHi = eq.Phi(hi);
    int perHalfTurn = kStepsPerHalfTurn;
    while (perHalfTurn > 1 && (phiHi - phiLo) * perHalfTurn / kPi > kMaxIntervals) perHalfTurn /= 2;
    const double step = kPi / perHalfTurn;
    const double offset = gammaPhaDeg * kPi / 180.0 - kPi;
    const double maxGap = (hi - lo) / 16.0;

    TNode prev = node(lo);
    if (prev.h == 0) s.FrequenciesMHz.push_back(prev.f);
    const auto advanceTo = [&](double f) {
        // fill the gap to f evenly, then take f
        const double start = prev.f, gap = f - start;
        if (!(gap > 0)) return;
        const int parts = static_cast<int>(std::ceil(gap / maxGap));
        for (int i = 1; i <= parts; ++i) {
            const TNode next = node(i == parts ? f : start + gap * i / parts);
            RootsIn(h, eq, prev, next, s.FrequenciesMHz);
            prev = next;
        }
    };
    for (double n = std::ceil((phiLo - offset) / step);; n += 1.0) {
        const double phi = offset + n * step;
        if (!(phi < phiHi)) break;
        if (phi <= phiLo) continue;
        advanceTo(std::clamp(eq.FreqAtPhi(phi), prev.f, hi));
    }
    advanceTo(hi);
    std::sort(s.FrequenciesMHz.begin(), s.FrequenciesMHz.end());
    return s;
}

}  // namespace merivane
