#include "Transmission.h"

#include "CouplerMeas.h"
#include "Division.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace merivane {

namespace {
using ext = long double;
using detail::DivideOrInfinity;
constexpr ext kInf = std::numeric_limits<ext>::infinity();
}  // namespace

double StoredResult(long double x)
{
    if (std::isnan(x)) return kInfinity;
    if (std::fabs(x) >= kInfinity) return x > 0 ? kInfinity : -kInfinity;
    return static_cast<double>(x);
}

long double QuotientOrInfinite(long double num, long double den)
{
    if (num == 0) return 0.0L;
    if (den == 0) return num > 0 ? kInf : -kInf;
    return num / den;
}

long double OneMinusProduct(long double a, long double b, long double c)
{
    // 1 - a b c = (1 - a) + a (1 - b c) = (1 - a) + a ((1 - b) + b (1 - c))
    return (1.0L - a) + a * ((1.0L - b) + b * (1.0L - c));
}

long double SinDeg(long double xDeg)
{
    // into (-180, 180], then sin(x) = sin(180 - x) = sin(-180 - x) into [-90, 90]
    ext x = std::fmod(xDeg, 360.0L);
    if (x > 180.0L) x -= 360.0L;
    if (x <= -180.0L) x += 360.0L;
    if (x > 90.0L) x = 180.0L - x;
    if (x < -90.0L) x = -180.0L - x;
    return std::sin(std::numbers::pi_v<ext> * x / 180.0L);
}

long double InterferenceDivisor(long double r, long double oneMinusR, long double thetaDeg)
{
    // |1 - r e^(j theta)|^2 = 1 - 2 r cos theta + r^2 = (1 - r)^2 + 4 r sin^2(theta / 2)
    const ext s = SinDeg(thetaDeg / 2.0L);
    return oneMinusR * oneMinusR + 4.0L * r * s * s;
}

TLoadPowers LoadPowers(long double scale, double pass, double g, long double div)
{
    // Pinc = Pav (1 - |Gs|^2) e^(-2 alpha L) / |1 - Gs Gin|^2 at the load;
    // Prefl = Pinc |Gl|^2, Pload = Pinc (1 - |Gl|)(1 + |Gl|).
    const ext sp = scale * pass, gl = g;
    TLoadPowers p;
    p.Pinc = QuotientOrInfinite(sp, div);
    p.Prefl = QuotientOrInfinite(sp * gl * gl, div);
    p.Pload = QuotientOrInfinite(sp * ((1.0L - gl) * (1.0L + gl)), div);
    return p;
}

long double IncidentScale(const TModel& m)
{
    // Pav failed only for 1 - |Gs|^2 = 0: the limit of Pav (1 - |Gs|^2) is Pmatch.
    if (m.Pav >= kInfinity) return m.Pmatch;
    return static_cast<ext>(m.Pav) * m.SrcRfl.Mism;
}

void CalcTransmission(TModel& m, bool ideal, double pass)
{
    const ext s = m.SrcRfl.Mag, g = m.LoaRfl.Mag;
    // 1 - |G|^2 = (1 - |G|)(1 + |G|): exact to the last bits near a full reflection
    const ext srcMism = (1.0L - s) * (1.0L + s), loaMism = (1.0L - g) * (1.0L + g);
    m.SrcRfl.Mism = static_cast<double>(srcMism);
    m.LoaRfl.Mism = static_cast<double>(loaMism);

    // Gs Gin = |Gs| |Gl| e^(-2 alpha L) at the sum of the phases; its divisor
    // |1 - Gs Gin|^2 lies between (1 - r)^2 (in phase) and (1 + r)^2.
    const ext r = s * g * pass;
    const ext oneMinusR = OneMinusProduct(s, g, pass);
    const ext div = InterferenceDivisor(r, oneMinusR, static_cast<ext>(m.SrcRfl.Pha) + m.LoaRfl.Pha);
    const ext divMin = (1.0L + r) * (1.0L + r);  // the lowest interference
    const ext divMax = oneMinusR * oneMinusR;    // 0 only for two full reflections and no loss
    m.Interf = StoredResult(QuotientOrInfinite(1.0L, div));
    m.InterfMin = StoredResult(QuotientOrInfinite(1.0L, divMin));
    m.InterfMax = StoredResult(QuotientOrInfinite(1.0L, divMax));

    m.Pmatch = static_cast<double>(static_cast<ext>(m.Va) * m.Ia * m.Eff);
    m.Pav = StoredResult(DivideOrInfinity(m.Pmatch, m.SrcRfl.Mism));

    // Gt = (1 - |Gs|^2)(1 - |Gl|^2) e^(-2 alpha L) / |1 - Gs Gin|^2: the share
    // of the available power the load takes
    const ext gain = srcMism * loaMism * pass;
    m.TrGain = StoredResult(QuotientOrInfinite(gain, div));
    m.TrGainMin = StoredResult(QuotientOrInfinite(gain, divMin));
    m.TrGainMax = StoredResult(QuotientOrInfinite(gain, divMax));

    // Pinc = Pav (1 - |Gs|^2) e^(-2 alpha L) F, through the stored Pav; for a
    // fully reflecting source (Pav infinite) Pmatch e^(-2 alpha L) F, its
    // limit as |Gs| -> 1.
    const ext q = IncidentScale(m);
    const TLoadPowers now = LoadPowers(q, pass, m.LoaRfl.Mag, div);
    const TLoadPowers lo = LoadPowers(q, pass, m.LoaRfl.Mag, divMin);
    const TLoadPowers hi = LoadPowers(q, pass, m.LoaRfl.Mag, divMax);
    m.Pinc = StoredResult(now.Pinc);
    m.PincMin = StoredResult(lo.Pinc);
    m.PincMax = StoredResult(hi.Pinc);
    m.Prefl = StoredResult(now.Prefl);
    m.PreflMin = StoredResult(lo.Prefl);
    m.PreflMax = StoredResult(hi.Prefl);
    m.Pload = StoredResult(now.Pload);
    m.PloadMin = StoredResult(lo.Pload);
    m.PloadMax = StoredResult(hi.Pload);

    CalcCouplerMeas(m, ideal, now.Pinc);
}

}  // namespace merivane
