#include "CouplerMeas.h"

#include "Conversions.h"
#include "Division.h"
#include "Transmission.h"

#include <cmath>
#include <limits>

namespace merivane {

namespace {
using ext = long double;
using detail::DivideOrInfinity;
using detail::TryDivide;
// SWR = (1 + |G|) / (1 - |G|) grows without bound as |G| -> 1: a reading of
// 1 or more has no finite SWR (the (1 + x) / (x - 1) of a magnitude above 1
// would read a smaller SWR for a larger reflection).
double ReadingSwr(double mag) { return mag >= 1.0 ? kInfinity : MagToSwr(mag); }

}  // namespace

double DirectivityFactor(double dirDb) { return DbToMag(-dirDb); }

TCouplerFactors CouplerFactors(double g, double d)
{
    const ext x = g, e = d;
    TCouplerFactors f;
    f.IncMinus = (1.0L - e * x) * (1.0L - e * x);
    f.IncPlus = (1.0L + e * x) * (1.0L + e * x);
    f.ReflMinus = (x - e) * (x - e);
    f.ReflPlus = (x + e) * (x + e);
    const ext below = 1.0L - x, above = 1.0L + x;
    f.LoadMinus = (below - e * above) * (above + e * below);
    f.LoadPlus = (below + e * above) * (above - e * below);
    return f;
}

double CouplerReading(long double incident, long double factor)
{
    if (factor == 0) return 0.0;
    return StoredResult(incident * factor);
}

void CalcCouplerMeas(TModel& m, bool ideal)
{
    const ext incident = m.Pinc >= kInfinity ? std::numeric_limits<ext>::infinity() : static_cast<ext>(m.Pinc);
    CalcCouplerMeas(m, ideal, incident);
}

void CalcCouplerMeas(TModel& m, bool ideal, long double incident)
{
    const ext g = m.LoaRfl.Mag;
    m.CplIdeal = ideal;
    const double dd = ideal ? 0.0 : DirectivityFactor(m.CplDirDb);
    const ext d = dd;
    const TCouplerFactors f = CouplerFactors(m.LoaRfl.Mag, dd);

    m.ErrInciMinus = static_cast<double>(f.IncMinus);
    m.ErrInciPlus = static_cast<double>(f.IncPlus);
    // Every reading is the incident power times its factor; an infinite
    // incident power (two full reflections in phase) reads infinite wherever
    // the factor is not 0, and the absorbed bounds take the sign of theirs.
    m.PincMinV = CouplerReading(incident, f.IncMinus);
    m.PincMaxV = CouplerReading(incident, f.IncPlus);
    m.PreflMinV = CouplerReading(incident, f.ReflMinus);
    m.PreflMaxV = CouplerReading(incident, f.ReflPlus);
    m.PloadMinV = CouplerReading(incident, f.LoadMinus);
    m.PloadMaxV = CouplerReading(incident, f.LoadPlus);
    if (std::isinf(incident) && f.IncMinus != 0 && f.ReflMinus != 0) {
        // Both readings are infinite: the absorbed power read as their
        // difference, infinity minus infinity, has no value (not a number:
        // "Undefined" in the window, null in the JSON, an empty CSV cell).
        m.PloadMinV = m.PloadMaxV = std::numeric_limits<double>::quiet_NaN();
    }

    // the reflected power's relative bounds: (|Gl| -+ D)^2 / |Gl|^2
    double lo = 0.0, hi = 0.0;
    const ext l2 = g * g;
    if (TryDivide(f.ReflMinus, l2, lo) && TryDivide(f.ReflPlus, l2, hi)) {
        m.ErrReflMinus = StoredResult(lo);
        m.ErrReflPlus = StoredResult(hi);
    } else {
        m.ErrReflMinus = m.ErrReflPlus = kInfinity;
    }

    // The absorbed power's relative bounds, PloadV / Pload: the incident power
    // cancels, leaving the factors over (1 - |Gl|)(1 + |Gl|). Undefined
    // without an absorbed power.
    const ext mism = (1.0L - g) * (1.0L + g);
    if (m.Pload != 0 && TryDivide(f.LoadMinus, mism, lo) && TryDivide(f.LoadPlus, mism, hi)) {
        m.PloadMinRelat = StoredResult(lo);
        m.PloadMaxRelat = StoredResult(hi);
    } else {
        m.PloadMinRelat = m.PloadMaxRelat = kInfinity;
    }

    // The couplers never report a negative magnitude: when the leak exceeds the
    // reflection, the lowest reading is the leak minus the reflection.
    m.MeaMin.Mag = static_cast<double>(std::fabs(g - d) / (1.0L + d * g));
    // 1 - D|Gl| is zero only for a 0 dB coupler on a full reflection.
    m.MeaMax.Mag = StoredResult(DivideOrInfinity(g + d, 1.0L - d * g));
    m.MeaMin.Rloss = MagToDb(m.MeaMin.Mag);
    m.MeaMin.Swr = ReadingSwr(m.MeaMin.Mag);
    // the readings' mismatch factors 1 - |G|^2, as (1 - |G|)(1 + |G|); below
    // zero for a reading above 1
    const auto readingMism = [](double mag) {
        const ext r = mag;
        return static_cast<double>((1.0L - r) * (1.0L + r));
    };
    m.MeaMin.Mism = readingMism(m.MeaMin.Mag);
    if (m.MeaMax.Mag >= kInfinity) {
        // An infinite reading stays infinite in every representation: its
        // 20 log10 would read 320 dB and its SWR a perfect match.
        m.MeaMax.Rloss = kInfinity;
        m.MeaMax.Swr = kInfinity;
        m.MeaMax.Mism = -kInfinity;
    } else {
        m.MeaMax.Rloss = MagToDb(m.MeaMax.Mag);
        m.MeaMax.Swr = ReadingSwr(m.MeaMax.Mag);
        m.MeaMax.Mism = StoredResult(readingMism(m.MeaMax.Mag));
    }
}

}  // namespace merivane
