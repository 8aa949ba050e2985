#include "CouplerMeas.h"

#include "Conversions.h"
#include "Division.h"

#include <cmath>

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

    // A reading is Pinc times its factor; an infinite incident power (two full
    // reflections in phase) reads infinite wherever the factor is not 0.
    const bool infinite = m.Pinc >= kInfinity;
    const auto reading = [&](double factor) {
        if (infinite) return factor > 0 ? kInfinity : 0.0;
        return static_cast<double>(static_cast<ext>(m.Pinc) * factor);
    };
    m.PincMinV = reading(m.ErrInciMinus);
    m.PincMaxV = reading(m.ErrInciPlus);
    m.PreflMinV = reading(a);
    m.PreflMaxV = reading(b);

    double lo = 0.0, hi = 0.0;
    if (TryDivide(a, l2, lo) && TryDivide(b, l2, hi)) {
        m.ErrReflMinus = lo;
        m.ErrReflPlus = hi;
    } else {
        m.ErrReflMinus = m.ErrReflPlus = kInfinity;
    }

    m.PloadMinV = static_cast<double>(static_cast<ext>(m.PincMinV) - m.PreflMaxV);
    m.PloadMaxV = static_cast<double>(static_cast<ext>(m.PincMaxV) - m.PreflMinV);
    // the difference of two infinite readings is no number: stored as infinite
    if (infinite) m.PloadMinV = m.PloadMaxV = kInfinity;

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
    m.MeaMin.Swr = ReadingSwr(m.MeaMin.Mag);
    if (m.MeaMax.Mag >= kInfinity) {
        // An infinite reading stays infinite in every representation: its
        // 20 log10 would read 320 dB and its SWR a perfect match.
        m.MeaMax.Rloss = kInfinity;
        m.MeaMax.Swr = kInfinity;
    } else {
        m.MeaMax.Rloss = MagToDb(m.MeaMax.Mag);
        m.MeaMax.Swr = ReadingSwr(m.MeaMax.Mag);
    }
}

}  // namespace merivane
