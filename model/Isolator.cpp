// SPDX-License-Identifier: GPL-3.0-or-later
#include "Isolator.h"

#include "Conversions.h"

namespace merivane {

double IsolatedReflection(double isolationDb, double gammaMag)
{
    // |G| = 10^(-I/20) |G_l|
    return DbToMag(-isolationDb) * gammaMag;
}

TIsolatorResult CalcIsolator(const TModel& m, const TIsolatorInputs& in)
{
    TIsolatorResult r;
    r.MagnetronMagMax = IsolatedReflection(in.IsolationDb, m.LoaRfl.Mag);
    // S = (1 + |G|) / (1 - |G|)
    r.MagnetronSwrMax = MagToSwr(r.MagnetronMagMax);
    r.DummyLoadW = m.Prefl;
    r.DummyLoadMaxW = m.PreflMax;
    r.RatingSet = in.DummyRatingW > 0;
    if (r.RatingSet) {
        r.WithinRating = r.DummyLoadW <= in.DummyRatingW;
        r.MaxWithinRating = r.DummyLoadMaxW <= in.DummyRatingW;
    }
    return r;
}

}  // namespace merivane
