// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineLoss.h"

#include "Conversions.h"
#include "Transmission.h"

#include <cmath>

namespace merivane {

TAttenuation LineAttenuation(const TSweepInputs& line, const TLineLossInputs& in)
{
    TAttenuation t;
    double db = 0.0;
    switch (in.Source) {
    case LossSource::None: return t;
    case LossSource::Entered:
        if (!(in.EnteredDbPerM >= 0) || !std::isfinite(in.EnteredDbPerM)) {
            t.Status = kLossBadFigure;
            return t;
        }
        db = in.EnteredDbPerM;
        break;
    case LossSource::Conductor: {
        if (!line.LineKnown || !IsWaveguide(line.Line)) {
            t.Status = kLossNeedsWaveguide;
            return t;
        }
        const double a = BroadWallMm(line), b = GuideHeightMm(line, in.HeightMm);
        if (!GuideAt(line, line.FreqMHz).propagates) {
            t.Status = kLossNoWave;
            return t;
        }
        if (!(b > 0)) {
            t.Status = kLossNoHeight;
            return t;
        }
        db = NpToDb(ConductorAttenuationNpPerM(ConductorOf(in.Metal).conductivitySPerM, a, b, line.FreqMHz));
        break;
    }
    }
    t.Status = kLossOk;
    t.DbPerM = db;
    t.NpPerM = DbToNp(db);
    return t;
}

TLineLoss CalcLineLoss(const TModel& m, double attenuationDbPerM, double lengthM)
{
    TLineLoss r;
    r.AttenuationDbPerM = attenuationDbPerM;
    r.LengthM = lengthM;
    r.AtSource = m;
    const double al = DbToNp(attenuationDbPerM) * lengthM;
    const double l2 = m.LoaRfl.Mag * m.LoaRfl.Mag;
    if (!(al > 0)) {
        // no loss: the model as it is, to the last bit
        r.SourceEndReflMag = m.LoaRfl.Mag;
        r.ForwardAtSourceW = r.ForwardAtLoadW = m.Pinc;
        r.NetInW = r.AbsorbedW = m.Pload;
        return r;
    }
    r.PassFactor = std::exp(-2.0 * al);
    // The reflected wave comes back attenuated twice: Gl e^(-2 alpha L).
    TRefl& seen = r.AtSource.LoaRfl;
    seen.Mag = m.LoaRfl.Mag * r.PassFactor;
    seen.Rloss = MagToDb(seen.Mag);
    seen.Swr = MagToSwr(seen.Mag);
    CalcTransmission(r.AtSource, m.CplIdeal);
    r.SourceEndReflMag = seen.Mag;
    r.ForwardAtSourceW = r.AtSource.Pinc;
    r.NetInW = r.AtSource.Pload;
    // P+ at the load = P+ e^(-2 alpha L); the load takes (1 - |Gl|^2) of it.
    r.ForwardAtLoadW = r.ForwardAtSourceW * r.PassFactor;
    r.AbsorbedW = r.ForwardAtLoadW * (1.0 - l2);
    // Forward: P+ (1 - e^(-2 alpha L)); reflected, on its way back:
    // P+ e^(-2 alpha L) |Gl|^2 (1 - e^(-2 alpha L)). Together
    //   P+ (1 - e^(-2 alpha L)) (1 + |Gl|^2 e^(-2 alpha L)),
    // which is the net power in, P+ (1 - |Gl|^2 e^(-4 alpha L)), less what
    // the load takes. -expm1 keeps short low-loss lines exact.
    r.LineLossW = r.ForwardAtSourceW * -std::expm1(-2.0 * al) * (1.0 + l2 * r.PassFactor);
    return r;
}

}  // namespace merivane
