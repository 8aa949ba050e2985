// SPDX-License-Identifier: GPL-3.0-or-later
#include "Smith.h"

#include "Transmission.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace merivane::smith {

namespace {

constexpr double kPi = std::numbers::pi;

double Radians(double deg) { return deg * kPi / 180.0; }

// An angle reduced into [0, 360).
double Reduce360(double deg)
{
    double r = std::fmod(deg, 360.0);
    if (r < 0) r += 360.0;
    return r >= 360.0 ? 0.0 : r;
}

}  // namespace

TGamma ToGamma(const TRefl& r) { return std::polar(r.Mag, Radians(r.Pha)); }

double TransducerGain(TGamma gs, TGamma gl)
{
    const double s2 = std::norm(gs), l2 = std::norm(gl);
    if (!(s2 < 1.0) || !(l2 < 1.0)) return 0.0;
    // Gt = (1 - |Gs|^2)(1 - |Gl|^2) / |1 - Gs Gl|^2 (Pozar, "Two-port power gains")
    return (1.0 - s2) * (1.0 - l2) / std::norm(1.0 - gs * gl);
}

double AbsorbedAt(const TModel& m, TGamma gl, double pass)
{
    const double g = std::abs(gl);
    if (!(g < 1.0)) return 0.0;
    // Pload = Pinc (1 - |gl|^2), Pinc = q e^(-2 alpha L) / |1 - Gs gl e^(-2 alpha L)|^2
    // with q = Pav (1 - |Gs|^2): the model's own closed forms
    const long double s = m.SrcRfl.Mag;
    const long double theta = static_cast<long double>(m.SrcRfl.Pha) + (g > 0 ? std::arg(gl) * 180.0 / kPi : 0.0);
    const long double div = InterferenceDivisor(s * g * pass, OneMinusProduct(s, g, pass), theta);
    return StoredResult(LoadPowers(IncidentScale(m), pass, g, div).Pload);
}

TCircle VswrCircle(double swr)
{
    TCircle c;
    if (!(swr >= 1.0) || !std::isfinite(swr)) return c;
    // |G| = (S - 1) / (S + 1)
    c.defined = true;
    c.radius = (swr - 1.0) / (swr + 1.0);
    return c;
}

TCircle PowerCircle(TGamma gs, double gt)
{
    TCircle c;
    const double s2 = std::norm(gs);
    if (!(s2 < 1.0) || !(gt > 0.0) || !(gt <= 1.0)) return c;
    // Gt |1 - Gs Gl|^2 = (1 - |Gs|^2)(1 - |Gl|^2) expands, with
    // k = Gt / (1 - |Gs|^2), into |Gl - c|^2 = |c|^2 - (k - 1) / (1 + k |Gs|^2)
    // about c = k Gs* / (1 + k |Gs|^2).
    const double k = gt / (1.0 - s2);
    const double a = 1.0 + k * s2;
    c.centre = k * std::conj(gs) / a;
    const double r2 = std::norm(c.centre) - (k - 1.0) / a;
    c.defined = true;
    c.radius = std::sqrt(std::max(0.0, r2));  // 0 at gt = 1: rounding may leave a tiny negative
    return c;
}

TGamma LocusPoint(TGamma gl, bool overLength, double xPerDeg, double x, double npPerM)
{
    // the round-trip phase of x: x / xPerDeg degrees (720 deg d / lg over a length)
    const double phi = Radians(x / xPerDeg);
    // Gl e^(-2 alpha d) e^(-j phi): the reflected wave loses alpha d going and coming
    const double fade = overLength && npPerM > 0 ? std::exp(-2.0 * npPerM * x / 1000.0) : 1.0;
    return gl * std::polar(fade, -phi);
}

TLocus CalcLocus(const TRefl& load, const TSweepResult& s, int steps, double npPerM)
{
    TLocus l;
    const TGamma gl = ToGamma(load);
    l.overLength = s.OverLength;
    l.period = s.Period;
    l.xPerDeg = s.Period / 360.0;
    l.npPerM = s.OverLength ? std::max(0.0, npPerM) : 0.0;
    l.passFactor = s.PassFactor;
    const auto at = [&](double x) { return LocusPoint(gl, l.overLength, l.xPerDeg, x, l.npPerM); };
    const int n = std::max(steps, 1);
    l.x.reserve(n + 1);
    l.points.reserve(n + 1);
    for (int i = 0; i <= n; ++i) {
        const double x = l.period * i / n;
        l.x.push_back(x);
        l.points.push_back(at(x));
    }
    l.present = gl;
    l.adviceDefined = s.AdviceDefined;
    l.atMax = at(s.AddForMax);
    l.atMin = at(s.AddForMin);
    l.arcDefined = s.SpreadDefined && (s.SpanBelow > 0 || s.SpanAbove > 0);
    if (l.arcDefined) {
        l.arcBelow = s.SpanBelow;
        l.arcAbove = s.SpanAbove;
        l.arcFullTurn = s.PhaseRandom;
        // a band of a full turn or more is drawn as one turn about the load
        const double from = l.arcFullTurn ? -l.period / 2 : -l.arcBelow;
        const double to = l.arcFullTurn ? l.period / 2 : l.arcAbove;
        l.arc.reserve(n + 1);
        for (int i = 0; i <= n; ++i) l.arc.push_back(at(from + (to - from) * i / n));
    }
    return l;
}

TPointReading ReadPoint(TGamma g, const TModel& m, const TLocus& locus, double tolerance)
{
    TPointReading r;
    r.g = g;
    r.mag = std::abs(g);
    r.phaDeg = r.mag > 0 ? std::arg(g) * 180.0 / kPi : 0.0;
    // return loss -20 log10 |G|; SWR (1 + |G|) / (1 - |G|)
    r.returnLossDb = r.mag > 0 ? -20.0 * std::log10(r.mag) : kInfinity;
    r.swr = r.mag < 1.0 ? (1.0 + r.mag) / (1.0 - r.mag) : kInfinity;
    // z = (1 + G) / (1 - G), y = 1 / z = (1 - G) / (1 + G)
    r.zFinite = g != TGamma(1.0, 0.0);
    if (r.zFinite) r.z = (1.0 + g) / (1.0 - g);
    r.yFinite = g != TGamma(-1.0, 0.0);
    if (r.yFinite) r.y = (1.0 - g) / (1.0 + g);
    r.absorbedW = AbsorbedAt(m, g, locus.passFactor);
    // On the load's path the point is Gl e^(-2 alpha d) e^(-j phi): phi = arg Gl - arg G
    // gives the x to add, and the path's magnitude there, |Gl| e^(-2 alpha d)
    // (|Gl| on a lossless line), says whether G lies on it. Over one period
    // phi runs once round, so the x is the only one.
    if (!(std::abs(locus.present) > 0)) return r;
    const double phi = Reduce360((std::arg(locus.present) - std::arg(g)) * 180.0 / kPi);
    const double x = phi * locus.xPerDeg;
    const double onPath = std::abs(LocusPoint(locus.present, locus.overLength, locus.xPerDeg, x, locus.npPerM));
    r.onLocus = std::fabs(r.mag - onPath) <= tolerance;
    if (r.onLocus) r.addX = x;
    return r;
}

}  // namespace merivane::smith
