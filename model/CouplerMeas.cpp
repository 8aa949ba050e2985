#include "CouplerMeas.h"

#include "Conversions.h"
#include "Division.h"

#include <cmath>

namespace merivane {

namespace {
using ext = long double;
using detail::DivideOrInfinity;
using detail::TryDivide;
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
