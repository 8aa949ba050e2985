// SPDX-License-Identifier: GPL-3.0-or-later
#include "Isolator.h"

#include "Conversions.h"

namespace merivane {

double IsolatedReflection(double isolationDb, double gammaMag)
{
    // |G| = 10^(-I/20) |G_l|
    return DbToMag(-isolationDb) * gammaMag;
}

TIsolatorResult CalcIsolator(const TModel& m, const TIsolatorInputs& in, double pass)
{
    TIsolatorResult r;
    // the tube's side of the isolator sees 10^(-I/20) |Gl| e^(-2 alpha L)
    r.MagnetronMagMax = IsolatedReflection(in.IsolationDb, m.LoaRfl.Mag * pass);
    // S = (1 + |G|) / (1 - |G|)
    r.MagnetronSwrMax = MagToSwr(r.MagnetronMagMax);
    // the reflected power back at the isolator: Prefl e^(-2 alpha L); an
    // infinite one stays infinite
    const auto back = [pass](double w) { return w >= kInfinity ? kInfinity : w * pass; };
    r.DummyLoadW = back(m.Prefl);
    r.DummyLoadMaxW = back(m.PreflMax);
    r.RatingSet = in.DummyRatingW > 0;
    if (r.RatingSet) {
        r.WithinRating = r.DummyLoadW <= in.DummyRatingW;
        r.MaxWithinRating = r.DummyLoadMaxW <= in.DummyRatingW;
    }
    return r;
}

}  // namespace merivane
