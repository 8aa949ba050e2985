#include "Transmission.h"

#include "Conversions.h"

#include <cmath>

namespace merivane {

namespace {

using ext = long double;

// A division that fails on a zero divisor, 0/0 or a quotient beyond the double
// range, without relying on floating-point traps.
// A quotient of two stored doubles is rounded once, in double precision; a
// compound divisor is formed in extended precision and rounded at the end.
template <class T>
bool TryDivide(T num, T den, double& out)
{
    if (den == 0) return false;
    const double q = static_cast<double>(num / den);  // a NaN or an overflow is not finite
    if (!std::isfinite(q)) return false;
    out = q;
    return true;
}

template <class T>
double DivideOrInfinity(T num, T den)
{
    double q = 0.0;
    return TryDivide(num, den, q) ? q : kInfinity;
}

}  // namespace

double DirectivityFactor(double dirDb)
{
    // The directivity seldom changes between evaluations: keep the last power.
    thread_local double lastDb = 0.0, lastFactor = 1.0;
    if (dirDb != lastDb) {
        lastFactor = DbToMag(-dirDb);
        lastDb = dirDb;
    }
    return lastFactor;
}

void CalcTransmission(TModel& m, bool ideal)
{
    const ext l2 = static_cast<ext>(m.LoaRfl.Mag) * m.LoaRfl.Mag;
    m.SrcRfl.Mism = static_cast<double>(1.0L - static_cast<ext>(m.SrcRfl.Mag) * m.SrcRfl.Mag);
    m.LoaRfl.Mism = static_cast<double>(1.0L - l2);

    const TComplex gs = PolarDegToRect(MakeComplex(m.SrcRfl.Mag, m.SrcRfl.Pha));
    const TComplex gl = PolarDegToRect(MakeComplex(m.LoaRfl.Mag, m.LoaRfl.Pha));
    const TComplex p = ComplexMul(gs, gl);
    const TComplex w = MakeComplex(static_cast<double>(1.0L - p.Re), -p.Im);

    // |1 - Gs Gl|^2 is zero only for two full reflections whose product is 1.
    m.Interf = DivideOrInfinity(1.0, ComplexAbs2(w));
    const ext mm = static_cast<ext>(m.SrcRfl.Mag) * m.LoaRfl.Mag;
    m.InterfMin = static_cast<double>(1.0L / ((1.0L + mm) * (1.0L + mm)));
    m.InterfMax = DivideOrInfinity(1.0L, (1.0L - mm) * (1.0L - mm));

    m.Pmatch = static_cast<double>(static_cast<ext>(m.Va) * m.Ia * m.Eff);
    m.Pav = DivideOrInfinity(m.Pmatch, m.SrcRfl.Mism);

    const ext gain = static_cast<ext>(m.SrcRfl.Mism) * m.LoaRfl.Mism;
    m.TrGain = static_cast<double>(gain * m.Interf);
    m.TrGainMin = static_cast<double>(gain * m.InterfMin);
    m.TrGainMax = static_cast<double>(gain * m.InterfMax);

    // Through the stored Pav, not Pmatch: a failed Pav gives 1e16 * 0 = 0.
    const ext q = static_cast<ext>(m.Pav) * m.SrcRfl.Mism;
    m.Pinc = static_cast<double>(q * m.Interf);
    m.PincMin = static_cast<double>(q * m.InterfMin);
    m.PincMax = static_cast<double>(q * m.InterfMax);

    m.Prefl = static_cast<double>(m.Pinc * l2);
    m.PreflMin = static_cast<double>(m.PincMin * l2);
    m.PreflMax = static_cast<double>(m.PincMax * l2);

    m.Pload = static_cast<double>(static_cast<ext>(m.Pinc) - m.Prefl);
    m.PloadMin = static_cast<double>(static_cast<ext>(m.PincMin) - m.PreflMin);
    m.PloadMax = static_cast<double>(static_cast<ext>(m.PincMax) - m.PreflMax);

    CalcCouplerMeas(m, ideal);
}

void CalcCouplerMeas(TModel& m, bool ideal)
{
    const ext g = m.LoaRfl.Mag;
    const double l2 = static_cast<double>(g * g);
    m.CplIdeal = ideal;
    const ext d = ideal ? 0.0L : static_cast<ext>(DirectivityFactor(m.CplDirDb));

    m.ErrInciMinus = static_cast<double>((1.0L - d * g) * (1.0L - d * g));
    m.ErrInciPlus = static_cast<double>((1.0L + d * g) * (1.0L + d * g));
    const double a = static_cast<double>((g - d) * (g - d));
    const double b = static_cast<double>((g + d) * (g + d));

    m.PincMinV = static_cast<double>(static_cast<ext>(m.Pinc) * m.ErrInciMinus);
    m.PincMaxV = static_cast<double>(static_cast<ext>(m.Pinc) * m.ErrInciPlus);
    m.PreflMinV = static_cast<double>(static_cast<ext>(m.Pinc) * a);
    m.PreflMaxV = static_cast<double>(static_cast<ext>(m.Pinc) * b);

    double lo = 0.0, hi = 0.0;
    if (TryDivide(a, l2, lo) && TryDivide(b, l2, hi)) {
        m.ErrReflMinus = lo;
        m.ErrReflPlus = hi;
    } else {
        m.ErrReflMinus = m.ErrReflPlus = kInfinity;
    }

    m.PloadMinV = static_cast<double>(static_cast<ext>(m.PincMinV) - m.PreflMaxV);
    m.PloadMaxV = static_cast<double>(static_cast<ext>(m.PincMaxV) - m.PreflMinV);

    if (TryDivide(m.PloadMinV, m.Pload, lo) && TryDivide(m.PloadMaxV, m.Pload, hi)) {
        m.PloadMinRelat = lo;
        m.PloadMaxRelat = hi;
    } else {
        m.PloadMinRelat = m.PloadMaxRelat = kInfinity;
    }

    // The couplers never report a negative magnitude: when the leak exceeds the
    // reflection, the lowest reading is the leak minus the reflection.
    m.MeaMin.Mag = static_cast<double>(std::fabs(g - d) / (1.0L + d * g));
    // 1 - D|Gl| is zero only for a 0 dB coupler on a full reflection.
    m.MeaMax.Mag = DivideOrInfinity(g + d, 1.0L - d * g);
    m.MeaMin.Rloss = MagToDb(m.MeaMin.Mag);
    m.MeaMin.Swr = MagToSwr(m.MeaMin.Mag);
    if (m.MeaMax.Mag >= kInfinity) {
        // An infinite reading stays infinite in every representation: its
        // 20 log10 would read 320 dB and its SWR a perfect match.
        m.MeaMax.Rloss = kInfinity;
        m.MeaMax.Swr = kInfinity;
    } else {
        m.MeaMax.Rloss = MagToDb(m.MeaMax.Mag);
        m.MeaMax.Swr = MagToSwr(m.MeaMax.Mag);
    }
}

}  // namespace merivane
